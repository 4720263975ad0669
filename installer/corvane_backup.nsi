; Installers of Corvane Backup. makensis is given OUTFILE, VERSION (four
; numbers) and the folders of the built programs by CMake: BIN64 always, and
; BIN32 for the 32-bit installer, which carries both builds and installs the
; one that fits the Windows it runs on. Without BIN32 this is the 64-bit
; installer, which runs only where 64-bit programs do.
!ifdef BIN32
  Unicode true
!else
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include LogicLib.nsh
!include x64.nsh

!define PRODUCT "Corvane Backup"
!define PUBLISHER "Corvane Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The resident agent starts at every user's log-on, with that user's rights.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The restore window's own way in, beside the program's.
!define RESTORE_SHORTCUT "Restore Files from ${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The program keeps its store in exactly this folder, so the folder is fixed:
; no directory page, and not $PROGRAMFILES, which moves on other systems (and
; in a 32-bit installer on 64-bit Windows names "Program Files (x86)").
!define PARENT_DIR "C:\Program Files\${PUBLISHER}"
InstallDir "${PARENT_DIR}\${PRODUCT}"

VIProductVersion ${VERSION}
VIFileVersion ${VERSION}
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; A 32-bit installer's registry writes under HKLM\Software land in
; WOW6432Node unless it asks for the 64-bit view. The 64-bit installer always
; runs on 64-bit Windows, where a run-time test would leave LogicLib's else
; branch unused.
!macro UseNativeRegistryView
  !ifdef BIN32
    ${If} ${RunningX64}
      SetRegView 64
    ${EndIf}
  !else
    SetRegView 64
  !endif
!macroend

!macro InstallPrograms FOLDER
  File "${FOLDER}\CorvaneBackup.exe"
  File "${FOLDER}\Load.exe"
  File "${FOLDER}\vd.exe"
!macroend

; Ends the companions of every session, so that their files can be replaced
; or removed; an installation older than the /stop request has none running
; that matters.
!macro StopCompanions
  ${If} ${FileExists} "$INSTDIR\Load.exe"
    ExecWait '"$INSTDIR\Load.exe" /stop'
  ${EndIf}
!macroend

Function .onInit
  !insertmacro UseNativeRegistryView
FunctionEnd

Function un.onInit
  !insertmacro UseNativeRegistryView
FunctionEnd

Section "Install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !insertmacro StopCompanions
  ; The program and its companions, of one build.
  !ifdef BIN32
    ${If} ${RunningX64}
      !insertmacro InstallPrograms "${BIN64}"
    ${Else}
      !insertmacro InstallPrograms "${BIN32}"
    ${EndIf}
  !else
    !insertmacro InstallPrograms "${BIN64}"
  !endif
  ; The catalog's batch; the work is Load.exe's.
  File "${__FILEDIR__}\config.bat"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\CorvaneBackup.exe"
  CreateShortcut "$SMPROGRAMS\${RESTORE_SHORTCUT}" "$INSTDIR\Load.exe" "/restore" \
    "$INSTDIR\Load.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\CorvaneBackup.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegStr HKLM "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\Load.exe" /logon'
  ; The agent of the user logged on now, without waiting for the next log-on:
  ; started elevated from here, it starts itself again through the desktop's
  ; shell, with the user's own rights.
  Exec '"$INSTDIR\Load.exe" /logon'
SectionEnd

; Removes the programs, config.bat and every file the program writes itself.
; The "cataloged" marker stays: the catalogue it stands for outlives the
; program. The reports stay with the backups and in the users' profiles.
Section "Uninstall"
  SetShellVarContext all
  !insertmacro StopCompanions
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
  Delete "$INSTDIR\CorvaneBackup.exe"
  Delete "$INSTDIR\Load.exe"
  Delete "$INSTDIR\vd.exe"
  Delete "$INSTDIR\config.bat"
  Delete "$INSTDIR\settings.dat"
  Delete "$INSTDIR\data.dat"
  Delete "$INSTDIR\filestobackup.bck"
  Delete "$INSTDIR\enableauto"
  Delete "$INSTDIR\mod.bat"
  Delete "$INSTDIR\catalog"
  Delete "$INSTDIR\video"
  Delete "$INSTDIR\backup.bat"
  ; Left by a replace that was interrupted before its move.
  Delete "$INSTDIR\*.tmp"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "${PARENT_DIR}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${RESTORE_SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
