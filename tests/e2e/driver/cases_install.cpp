// What the installer leaves in the system, and what its uninstaller removes.
#include "tests/e2e/driver/fixtures.h"

#include <cstdlib>
#include <shlobj.h>

namespace e2e
{

namespace
{

std::string UninstallValue(const wchar_t* name)
{
    wchar_t value[512] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(HKEY_LOCAL_MACHINE,
                     L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane Backup",
                     name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return Utf8(value);
}

std::string ShortcutPath()
{
    wchar_t programs[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    return Utf8(programs) + "\\Corvane Backup.lnk";
}

std::string ShortcutTarget()
{
    wchar_t target[MAX_PATH] = L"<unreadable>";
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(Wide(ShortcutPath()).c_str(), STGM_READ)))
        link->GetPath(target, MAX_PATH, nullptr, 0);
    CoUninitialize();
    return Utf8(target);
}

// "x86" or "x64": the processor the program file is built for, from its PE header.
std::string MachineOf(const std::string& path)
{
    const std::string bytes = ReadBytes(path);
    if (bytes.size() < 0x40)
        return "<unreadable>";
    const size_t header = *reinterpret_cast<const DWORD*>(bytes.data() + 0x3C);
    if (bytes.size() < header + 6 || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0)
        return "<no PE header>";
    switch (*reinterpret_cast<const WORD*>(bytes.data() + header + 4))
    {
    case IMAGE_FILE_MACHINE_I386:
        return "x86";
    case IMAGE_FILE_MACHINE_AMD64:
        return "x64";
    default:
        return "<other>";
    }
}

void InstalledProgram()
{
    Expect(Exists(InstalledPath("CorvaneBackup.exe")), "the program is installed");
    const char* expected = std::getenv("E2E_PROGRAM_MACHINE");
    ExpectEqual(MachineOf(InstalledPath("CorvaneBackup.exe")), expected ? expected : "<unset>",
                "the installed program's processor");
    Expect(Exists(InstalledPath("Uninstall.exe")), "the uninstaller is installed");
    ExpectEqual(UninstallValue(L"DisplayName"), "Corvane Backup", "DisplayName");
    ExpectEqual(UninstallValue(L"DisplayVersion"), "1.0.0.1", "DisplayVersion");
    ExpectEqual(UninstallValue(L"Publisher"), "Corvane Software", "Publisher");
    ExpectEqual(UninstallValue(L"UninstallString"), "\"" + InstalledPath("Uninstall.exe") + "\"",
                "UninstallString");
    ExpectEqual(ShortcutTarget(), InstalledPath("CorvaneBackup.exe"), "the shortcut's target");
}

void UninstallRemovesProgramFiles()
{
    Program().Close();
    // What the program's other runs leave: markers, a batch, an interrupted replace.
    for (const char* left :
         {"filestobackup.bck", "catalog", "video", "backup.bat", "settings.dat.tmp", "cataloged"})
        WriteBytes(InstalledPath(left), "");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + Wide(InstalledPath("Uninstall.exe")) + L"\" /S";
    Require(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &process),
            "the uninstaller starts");
    // The uninstaller runs on from a copy of itself; its work shows in the files.
    Require(WaitFor([] { return !Exists(InstalledPath("Uninstall.exe")); }, 60000),
            "the uninstaller removes itself");
    Expect(WaitFor([] { return UninstallValue(L"DisplayName") == "<missing>"; }, 10000),
           "the entry in the installed programs is gone");
    Expect(!Exists(ShortcutPath()), "the Start-menu shortcut is gone");
    for (const char* file :
         {"CorvaneBackup.exe", "settings.dat", "data.dat", "filestobackup.bck", "enableauto",
          "mod.bat", "catalog", "video", "backup.bat", "settings.dat.tmp"})
        Expect(!Exists(InstalledPath(file)), std::string(file) + " is removed");
    Expect(Exists(InstalledPath("cataloged")), "the companions' cataloged marker is kept");
}

} // namespace

std::vector<Case> InstallCases()
{
    return {{"installed_program", InstalledProgram},
            {"uninstall_removes_program_files", UninstallRemovesProgramFiles}};
}

} // namespace e2e
