#include "backup/backup_run.h"
#include "store/save_store.h"
#include "tests/native/recording_ports.h"
#include "tests/native/temp_folder.h"
#include "tests/native/test_selection.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

// A folder squatting on a file's name makes its write or delete fail on every
// platform, even for root, where permissions would not.
namespace
{

namespace fs = std::filesystem;
using Snapshot = std::map<std::string, std::string>;
const char* const kFolder = "<folder>";

// Every name in the folder with its bytes: a leftover temporary file or a
// half-written one shows up as a difference.
Snapshot Take(const TempFolder& folder)
{
    Snapshot snapshot;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
    {
        const std::string name = entry.path().filename().string();
        snapshot[name] = entry.is_directory() ? kFolder : folder.Read(name);
    }
    return snapshot;
}

void Empty(const TempFolder& folder)
{
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        fs::remove_all(entry.path());
}

Message SaveFailure(const TempFolder& folder)
{
    return Message{"Error Cannot Save Settings To " + folder.Path() +
                       " \nDetails:Some settings were not saved",
                   "ERROR", kStopType};
}

} // namespace

TEST(StoreFaults, SaveWritesEveryOtherFileAndReportsTheFailureOnce)
{
    const struct
    {
        const char* squatted;
        const char* ticks;
        std::vector<std::string> sources;
    } cases[] = {
        {"settings.dat", "1110000010", {"C:\\a"}},
        {"enableauto", "0100000000", {"C:\\a"}},                 // written
        {"enableauto", "0000000000", {"C:\\a"}},                 // deleted
        {"mod.bat", "0010000000", {"C:\\a"}},                    // written
        {"mod.bat", "0000000000", {"C:\\a"}},                    // deleted
        {"cataloged", "0000000000", {"C:\\a"}},                  // deleted
        {"data.dat", "1000000000", {"C:\\a"}},                   // written
        {"filestobackup.bck", "1000000000", {"C:\\a", "D:\\b"}}, // written
        {"filestobackup.bck", "1000000000", {}},                 // deleted
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.squatted) + " " + c.ticks);
        TempFolder folder;
        const InstallDirectory directory(folder.Path());
        const auto selection = Selection(c.sources, "E:\\Backup", c.ticks);
        RecordingPrompt prompt;
        ASSERT_EQ(store::SaveOutcome::Saved, store::SaveStore(selection, directory, prompt));
        Snapshot expected = Take(folder);
        expected[c.squatted] = kFolder;

        Empty(folder);
        fs::create_directory(folder.PathOf(c.squatted));
        EXPECT_EQ(store::SaveOutcome::Saved, store::SaveStore(selection, directory, prompt));
        EXPECT_EQ(std::vector<Message>{SaveFailure(folder)}, prompt.shown);
        EXPECT_EQ(expected, Take(folder));
    }
}

TEST(StoreFaults, RunStopsAtTheFirstFileItCannotWrite)
{
    const char* const order[] = {"data.dat", "backup.bat", "filestobackup.bck", "video"};
    TempFolder folder;
    TempFolder destination;
    const InstallDirectory directory(folder.Path());
    const auto selection = Selection({"C:\\a", "D:\\b"}, destination.Path(), "0000010010");
    RecordingPrompt prompt;
    RecordingShell shell;
    ASSERT_EQ(backup::RunOutcome::Started, backup::RunBackup(selection, directory, prompt, shell));
    const Snapshot written = Take(folder);

    for (size_t failing = 0; failing < std::size(order); ++failing)
    {
        SCOPED_TRACE(order[failing]);
        Empty(folder);
        fs::create_directory(folder.PathOf(order[failing]));
        RecordingPrompt failed;
        RecordingShell unused;
        EXPECT_EQ(backup::RunOutcome::Stopped,
                  backup::RunBackup(selection, directory, failed, unused));
        EXPECT_EQ((std::vector<Message>{{"Error Cannot Write " + folder.PathOf(order[failing]) +
                                             " \nDetails:The backup was not started",
                                         "ERROR", kStopType}}),
                  failed.shown);
        EXPECT_TRUE(unused.starts.empty());
        Snapshot expected{{order[failing], kFolder}};
        for (size_t before = 0; before < failing; ++before)
            expected[order[before]] = written.at(order[before]);
        EXPECT_EQ(expected, Take(folder));
    }
}

// The replacement is written beside the file first; a folder in its place
// makes that step fail while the old file is still there, and the old file
// must come through whole. The run writes through the same replacement.
TEST(StoreFaults, FailedReplacementKeepsTheOldFileWhole)
{
    const char* const saved[] = {"settings.dat", "enableauto", "mod.bat", "data.dat",
                                 "filestobackup.bck"};
    const auto selection = Selection({"C:\\a"}, "E:\\Backup", "1110000010");
    for (const char* name : saved)
    {
        SCOPED_TRACE(name);
        TempFolder folder;
        folder.Write(name, "old bytes\r\n");
        fs::create_directory(folder.PathOf(std::string(name) + ".tmp"));
        RecordingPrompt prompt;
        EXPECT_EQ(store::SaveOutcome::Saved,
                  store::SaveStore(selection, InstallDirectory(folder.Path()), prompt));
        EXPECT_EQ(std::vector<Message>{SaveFailure(folder)}, prompt.shown);
        EXPECT_EQ("old bytes\r\n", folder.Read(name));
    }
}
