// What the installer leaves in the system, and what its uninstaller removes.
#include "tests/e2e/driver/cases.h"
#include "tests/e2e/driver/controls.h"
#include "tests/e2e/driver/harness.h"
#include "tests/e2e/driver/program.h"
#include "tests/e2e/driver/text.h"
#include "tests/e2e/driver/wait.h"

#include <shlobj.h>

namespace e2e
{

namespace
{

const wchar_t* const kUninstallKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane Backup";

std::string UninstallValue(const wchar_t* name)
{
    wchar_t value[512] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value,
                     &size) != ERROR_SUCCESS)
        return "<missing>";
    return Utf8(value);
}

std::string ShortcutPath()
{
    wchar_t programs[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    return Utf8(programs) + "\\Corvane Backup.lnk";
}

std::string ShortcutTarget(const std::string& shortcut)
{
    std::string target = "<unreadable>";
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))))
    {
        IPersistFile* file = nullptr;
        wchar_t path[MAX_PATH] = {};
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(Wide(shortcut).c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
            target = Utf8(path);
        if (file)
            file->Release();
        link->Release();
    }
    CoUninitialize();
    return target;
}

void InstalledProgram(Checker& checker)
{
    const std::string program = InstalledPath("CorvaneBackup.exe");
    checker.Expect(Exists(program), "the program is installed");
    checker.ExpectEqual(UninstallValue(L"DisplayName"), "Corvane Backup", "DisplayName");
    checker.ExpectEqual(UninstallValue(L"DisplayVersion"), "1.0.0.1", "DisplayVersion");
    checker.ExpectEqual(UninstallValue(L"Publisher"), "Corvane Software", "Publisher");
    checker.ExpectEqual(UninstallValue(L"UninstallString"),
                        "\"" + InstalledPath("Uninstall.exe") + "\"", "UninstallString");
    checker.Expect(Exists(InstalledPath("Uninstall.exe")), "the uninstaller is installed");
    checker.ExpectEqual(ShortcutTarget(ShortcutPath()), program,
                        "the Start-menu shortcut's target");
}

void UninstallRemovesProgramFiles(Checker& checker)
{
    {
        Program program;
        SendClose(program.Window(checker));
        program.ExpectEndsWithSuccess(checker, "close");
    }
    // What the program's other runs leave: markers, a batch, an interrupted replace.
    for (const char* left :
         {"filestobackup.bck", "catalog", "video", "backup.bat", "settings.dat.tmp"})
        WriteBytes(InstalledPath(left), "");
    WriteBytes(InstalledPath("cataloged"), "");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + Wide(InstalledPath("Uninstall.exe")) + L"\" /S";
    checker.Require(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, &startup, &process),
                    "the uninstaller starts");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The uninstaller runs on from a copy of itself; its work shows in the files.
    checker.Require(WaitFor([] { return !Exists(InstalledPath("Uninstall.exe")); }, 60000),
                    "the uninstaller removes itself");
    checker.Expect(WaitFor([] { return UninstallValue(L"DisplayName") == "<missing>"; }, 10000),
                   "the entry in the installed programs is gone");
    checker.Expect(!Exists(ShortcutPath()), "the Start-menu shortcut is gone");
    for (const char* file :
         {"CorvaneBackup.exe", "settings.dat", "data.dat", "filestobackup.bck", "enableauto",
          "mod.bat", "catalog", "video", "backup.bat", "settings.dat.tmp"})
        checker.Expect(!Exists(InstalledPath(file)), std::string(file) + " is removed");
    checker.Expect(Exists(InstalledPath("cataloged")), "the companions' cataloged marker is kept");
}

} // namespace

std::vector<Case> InstallCases()
{
    return {
        {"installed_program", InstalledProgram},
        {"uninstall_removes_program_files", UninstallRemovesProgramFiles},
    };
}

} // namespace e2e
