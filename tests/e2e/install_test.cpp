// What the installer leaves in the system, and what its uninstaller takes away.
#include "tests/e2e/driver.h"

#include <cstdlib>

namespace e2e
{
namespace
{

const char* const kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Corvane Backup";
// The resident agent's start at every log-on.
const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The installer writes into the registry view of the Windows it runs on, also
// as a 32-bit installer on 64-bit Windows.
std::string MachineValue(const char* keyName, const char* name)
{
    HKEY key = nullptr;
    char value[512] = "<missing>";
    DWORD size = sizeof value;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ | KEY_WOW64_64KEY, &key) ==
        ERROR_SUCCESS)
    {
        RegGetValueA(key, nullptr, name, RRF_RT_REG_SZ, nullptr, value, &size);
        RegCloseKey(key);
    }
    return value;
}

TEST_F(Installed, SetupAndUninstall)
{
    // The program and its companions, of one build.
    const char* machine = std::getenv("E2E_PROGRAM_MACHINE");
    for (const char* program : {"CorvaneBackup.exe", "Load.exe", "vd.exe"})
    {
        DWORD type = ~0u;
        GetBinaryTypeW(Wide(InstalledPath(program)).c_str(), &type);
        const char* kind = type == SCS_64BIT_BINARY   ? "x64"
                           : type == SCS_32BIT_BINARY ? "x86"
                                                      : "?";
        EXPECT_EQ(kind, std::string(machine ? machine : "<unset>")) << program;
    }
    // The shortcut's link information names its target.
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, programs);
    const std::string shortcut = std::string(programs) + "\\Corvane Backup.lnk";
    EXPECT_NE(ReadBytes(shortcut).find(InstalledPath("CorvaneBackup.exe") + '\0'),
              std::string::npos);
    // The restore window's: its argument is one of the link's UTF-16 strings.
    const std::string restore = std::string(programs) + "\\Restore Files from Corvane Backup.lnk";
    const std::string link = ReadBytes(restore);
    EXPECT_NE(link.find(InstalledPath("Load.exe") + '\0'), std::string::npos);
    EXPECT_NE(link.find(std::string("/\0r\0e\0s\0t\0o\0r\0e\0", 16)), std::string::npos);
    EXPECT_EQ(MachineValue(kUninstallKey, "DisplayName"), "Corvane Backup");
    EXPECT_EQ(MachineValue(kUninstallKey, "UninstallString"),
              "\"" + InstalledPath("Uninstall.exe") + "\"");
    EXPECT_EQ(MachineValue(kRunKey, "Corvane Backup"),
              "\"" + InstalledPath("Load.exe") + "\" /logon");
    // Started for the user now, not only at the next log-on.
    EXPECT_TRUE(WaitFor(AgentRuns, kAgentStartMs));

    // The program's own files: its store as a close writes it, and what its
    // other runs leave (a backup's batch and marker, an interrupted replace);
    // beside them the companions' marker, which stays.
    EXPECT_EQ(Program().Close(), 0u);
    ASSERT_TRUE(fs::exists(InstalledPath("settings.dat")));
    for (const char* left : {"catalog", "video", "backup.bat", "settings.dat.tmp", "cataloged"})
        WriteBytes(InstalledPath(left), "");
    // The uninstaller runs on from a copy of itself: its work shows in the files.
    Program('"' + InstalledPath("Uninstall.exe") + "\" /S").Exit(60000);
    ASSERT_TRUE(WaitFor([] { return !fs::exists(InstalledPath("Uninstall.exe")); }, 60000));
    EXPECT_TRUE(WaitFor([] { return MachineValue(kUninstallKey, "DisplayName") == "<missing>"; }));
    EXPECT_FALSE(fs::exists(shortcut));
    EXPECT_FALSE(fs::exists(restore));
    EXPECT_EQ(MachineValue(kRunKey, "Corvane Backup"), "<missing>");
    // Ended before its program was removed.
    EXPECT_FALSE(AgentRuns());
    std::string left;
    for (const auto& file : ReadTree(kInstallDirectory))
        left += file.first + " ";
    EXPECT_EQ(left, "cataloged ");
}

} // namespace
} // namespace e2e
