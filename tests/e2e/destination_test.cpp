// Destinations that are not always there: a share, and a laptop's backup disk
// that goes away, finds another stick at its letter and comes back at
// another. Drive letters are links of the prefix's dosdevices: run-scenario
// makes E: and F: stand for C:\e2e\disk-e and C:\e2e\disk-f, which the test
// makes, renames and removes, and \\SERVER\SHARE for C:\e2e\share. Wine sends
// no device message when a link changes: the test sends it to the agent.
#include "tests/e2e/driver.h"

#include <dbt.h>

namespace e2e
{
namespace
{

const std::string kLoad = '"' + InstalledPath("Load.exe") + "\" /restore /quiet ";

// The store as the window saves it, with copy on save: Pictures and
// Documents (`ticks` in settings.dat order) of one source, into `destination`.
void SaveStore(const std::string& ticks, const std::string& source, const std::string& destination)
{
    WriteBytes(InstalledPath("settings.dat"), ticks + "\r\n");
    WriteBytes(InstalledPath("data.dat"), destination + "\r\n");
    WriteBytes(InstalledPath("filestobackup.bck"), source + "\r\n");
    WriteBytes(InstalledPath("mod.bat"), "");
    WriteBytes(InstalledPath("cataloged"), "");
}

// Saves the file with new bytes until its copy shows them: the agent follows
// the store two quiet seconds after it changed, and only then watches.
bool CopiedOnSave(const std::string& file, const std::string& copy)
{
    int round = 0;
    return WaitFor(
        [&] {
            const std::string bytes = "saved " + std::to_string(++round);
            WriteBytes(file, bytes);
            return WaitFor([&] { return ReadBytes(copy) == bytes; }, 5000);
        },
        60000);
}

// The texts of the agent's news kept in the profile for the next log-on.
std::string KeptNews()
{
    std::string news;
    wchar_t profile[MAX_PATH];
    GetEnvironmentVariableW(L"LOCALAPPDATA", profile, MAX_PATH);
    for (const auto& [name, text] :
         ReadTree(fs::path(profile).u8string() + "\\Corvane Backup\\reports"))
        news += text;
    return news;
}

// The message Windows sends when a disk arrives at `letter`.
void SendArrival(char letter)
{
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - 'A');
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutW(FindWindowW(L"CorvaneBackupAgent", nullptr), WM_DEVICECHANGE,
                                    DBT_DEVICEARRIVAL, reinterpret_cast<LPARAM>(&volume),
                                    SMTO_ABORTIFHUNG, 5000, &answer));
}

TEST_F(Installed, ShareDestination)
{
    CreateSamples();
    const std::string share = "\\\\SERVER\\SHARE\\Backup";
    fs::create_directories("C:\\e2e\\share\\Backup");
    SaveStore("0;0;1;1;0;0;1;0;0;0;", kSources[1], share);
    Program program;
    ASSERT_NO_FATAL_FAILURE(StartBackup(program));
    // The monitor marked the share's folder as this computer's backup.
    EXPECT_EQ(Verdict(share), "All 5 files were backed up.\r\n");
    EXPECT_NE(ReadBytes(share + "\\Corvane Backup reports\\" + kBackupId), "<missing>");
    EXPECT_EQ(Copies(share).size(), 5u);

    ASSERT_TRUE(WaitFor(AgentRuns, kAgentStartMs)) << "the installer started no agent";
    EXPECT_TRUE(CopiedOnSave(kSources[1] + "\\fresh.doc", share + "\\fresh.doc"));
    fs::remove(fs::u8path(kSources[1] + "\\letter.doc"));
    EXPECT_EQ(Program(kLoad + '"' + kSources[1] + '"').Exit(60000), 0u);
    EXPECT_EQ(ReadBytes(kSources[1] + "\\letter.doc"), SampleText(1, "letter.doc"));
}

TEST_F(Installed, DiskAwayMovedAndForeign)
{
    const std::string source = "C:\\e2e\\Pictures", disk = "C:\\e2e\\disk-e";
    fs::create_directories(source);
    fs::create_directories(disk + "\\Backup");
    SaveStore("0;0;1;1;0;0;0;0;0;0;", source, "E:\\Backup");
    ASSERT_TRUE(WaitFor(AgentRuns, kAgentStartMs)) << "the installer started no agent";
    // The first copy into a destination the agent has not seen marks it.
    ASSERT_TRUE(CopiedOnSave(source + "\\first.jpg", "E:\\Backup\\first.jpg"));
    EXPECT_NE(ReadBytes("E:\\Backup\\Corvane Backup reports\\" + kBackupId), "<missing>");

    // Renamed away while a picture is saved, and back: the copy comes with the
    // look of the minute, and no E:\Backup is made meanwhile.
    fs::rename(disk + "\\Backup", disk + "\\Away");
    WriteBytes(source + "\\away.jpg", "away");
    Sleep(5000);
    EXPECT_FALSE(fs::exists("E:\\Backup"));
    fs::rename(disk + "\\Away", disk + "\\Backup");
    EXPECT_TRUE(WaitFor([] { return ReadBytes("E:\\Backup\\away.jpg") == "away"; }, 90000));

    // The disk unplugged, and another stick at E: with a folder of that
    // name: it gets nothing, and the user is told.
    fs::rename(disk, "C:\\e2e\\disk-x");
    fs::create_directories(disk + "\\Backup");
    WriteBytes(source + "\\other.jpg", "other");
    EXPECT_TRUE(WaitFor([] {
        return KeptNews().find("E:\\Backup is not your backup folder. The automatic backups "
                               "wait for it.") != std::string::npos;
    }));
    EXPECT_TRUE(fs::is_empty(disk + "\\Backup"));

    // The stick goes, the disk comes back at F:, and the saves that waited
    // are copied there at once; so are the next ones, and a restore finds them.
    fs::remove_all(disk);
    fs::rename("C:\\e2e\\disk-x", "C:\\e2e\\disk-f");
    SendArrival('F');
    EXPECT_TRUE(WaitFor([] { return ReadBytes("F:\\Backup\\other.jpg") == "other"; }));
    EXPECT_NE(
        KeptNews().find("Your backup disk is now F:. The automatic backups go to F:\\Backup."),
        std::string::npos);
    EXPECT_TRUE(CopiedOnSave(source + "\\moved.jpg", "F:\\Backup\\moved.jpg"));
    fs::remove(source + "\\away.jpg");
    EXPECT_EQ(Program(kLoad + source).Exit(60000), 0u);
    EXPECT_EQ(ReadBytes(source + "\\away.jpg"), "away");
}

} // namespace
} // namespace e2e
