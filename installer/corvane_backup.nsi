; Installer of Corvane Backup. makensis is given PROGRAM (the built
; CorvaneBackup.exe), OUTFILE and VERSION (four numbers) by CMake.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "Corvane Backup"
!define PUBLISHER "Corvane Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; The program keeps its store in exactly this folder, so the folder is fixed:
; no directory page, and not $PROGRAMFILES, which moves on other systems.
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

Section "Install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=CorvaneBackup.exe" "${PROGRAM}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\CorvaneBackup.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\CorvaneBackup.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes the program and every file it writes itself. The companion programs
; and their "cataloged" marker belong to the companions and stay.
Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\CorvaneBackup.exe"
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
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
