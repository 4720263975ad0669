// "Backup Now" from end to end: the program starts its batch and the monitor
// and ends, the real xcopy copies, and a second run copies what changed.
#include "tests/e2e/driver.h"

#include <cstdlib>

namespace e2e
{
namespace
{

// "name show-state" of each start that the stand-in recorded, oldest first:
// each is an empty file named "<creation time> <name> <show state>".
std::vector<std::string> Starts()
{
    std::vector<std::string> starts;
    for (const auto& record : ReadTree(HarnessPath("starts")))
        starts.push_back(record.first.substr(record.first.find(' ') + 1));
    return starts;
}

// Presses "Backup Now" and waits for the run: the program ends with status 0,
// backup.bat starts hidden before the monitor, which is shown, and the batch
// runs to its end, where it erases itself.
void BackupNow(Program& program)
{
    fs::remove_all(HarnessPath("starts"));
    Click(program.Window(), kBackupNow);
    EXPECT_EQ(program.Exit(), 0u);
    ASSERT_TRUE(WaitFor(
        [] { return Starts().size() == 2 && !fs::exists(InstalledPath("backup.bat")); }, 120000))
        << testing::PrintToString(Starts());
    EXPECT_EQ(Starts(), (std::vector<std::string>{"backup.bat 0", "Load.exe 1"}));
}

// Where a sample is copied to in the destination: each source into a folder
// of its own, named as the source.
std::string CopyOf(int source, const std::string& path)
{
    return fs::u8path(kSources[source]).filename().u8string() + "\\" + path;
}

// Replaces a file's bytes and dates it an hour after its old write time.
void RewriteNewer(const std::string& path, const std::string& bytes)
{
    const auto time = fs::last_write_time(fs::u8path(path));
    WriteBytes(path, bytes);
    fs::last_write_time(fs::u8path(path), time + std::chrono::hours(1));
}

TEST_F(Installed, BackupNowCopiesWithXcopy)
{
    CreateSamples();
    {
        Program program;
        HWND window = program.Window();
        ASSERT_TRUE(window);
        for (const std::string& source : kSources)
            ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, kAddFolder, source));
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, kBrowseDestination, kBackupFolder));
        // Not the system folder: here it is the whole Windows of the prefix.
        SetBoxes(
            window,
            {{kAllFileTypes, false}, {kSystemState, false}, {kPictures, true}, {kDocuments, true}});
        // scripts/run takes a screenshot of the window as it is now.
        if (std::getenv("E2E_SCREENSHOT"))
        {
            WriteBytes(HarnessPath("window-ready"), "");
            EXPECT_TRUE(WaitFor([] { return fs::exists(HarnessPath("screenshot-taken")); }, 60000));
        }
        ASSERT_NO_FATAL_FAILURE(BackupNow(program));
    }
    // Every sample but the song and the data is a picture or a document; the
    // two letters of one name are both kept.
    FileTree expected;
    for (const auto& [source, path] : kSamples)
        if (path != "song.mp3" && path != "data.bin")
            expected[CopyOf(source, path)] = SampleText(source, path);
    EXPECT_EQ(ReadTree(kBackupFolder), expected);

    // A newer source, a new file, and a copy that is newer than its source:
    // a run of every file type copies only what is new or newer.
    RewriteNewer(kSources[0] + "\\letter.doc", "changed");
    WriteBytes(kSources[1] + "\\new.txt", "new.txt");
    RewriteNewer(kBackupFolder + "\\" + CopyOf(1, "report.doc"), "copy kept");
    for (const auto& [source, path] : kSamples)
        expected[CopyOf(source, path)] = SampleText(source, path);
    expected[CopyOf(0, "letter.doc")] = "changed";
    expected[CopyOf(1, "new.txt")] = "new.txt";
    expected[CopyOf(1, "report.doc")] = "copy kept";
    Program second;
    ASSERT_TRUE(second.Window());
    SetBoxes(second.Window(), {{kAllFileTypes, true}});
    ASSERT_NO_FATAL_FAILURE(BackupNow(second));
    EXPECT_EQ(ReadTree(kBackupFolder), expected);
}

} // namespace
} // namespace e2e
