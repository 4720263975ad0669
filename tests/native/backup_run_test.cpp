#include "flows/backup_run.h"
#include "flows/save_store.h"
#include "plan/validate_source_entry.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

namespace
{

namespace fs = std::filesystem;

// A folder that exists on every platform, to back up to.
const std::string kHere = fs::temp_directory_path().string();

// What an earlier run left; a stopped run must leave it as it was.
const FileMap kEarlierRun = {{"backup.bat", "old\r\n"},
                             {"data.dat", "F:\\Old"},
                             {"filestobackup.bck", "C:\\Old\r\n"},
                             {"video", "old"}};

struct Runner
{
    TempFolder install;
    RecordingPrompt prompt;
    RecordingShell shell;

    Runner() { install.Write(kEarlierRun); }
    flows::RunOutcome operator()(const BackupSelection& selection)
    {
        prompt.shown.clear();
        shell.starts.clear();
        return flows::RunBackup(selection, InstallDirectory(install.Path()), prompt, shell);
    }
};

Message NotStarted(const std::string& reason)
{
    return Error(reason + " \nDetails:The backup was not started");
}

} // namespace

TEST(RunBackup, StoppedRunShowsTheFirstProblemAndWritesNothing)
{
    const auto refusal = [](const char* text) { return Message{text, "Error", kStopType}; };
    const std::pair<BackupSelection, Message> cases[] = {
        {Selection({}, "", "1000000000"), refusal("Please Select a Location to Backup To.")},
        {Selection({}, kHere, "0000000000"), refusal("Please Select a File or Folder To Backup")},
        // Hidden and modified only narrow a copy; alone they copy nothing.
        {Selection({"C:\\a"}, kHere, "0110000101"),
         refusal("Please Select a File Type or System Option")},
        // The entries are checked before the destination is looked for.
        {Selection({"C:\\a", "E:\\"}, "E:\\Backup", "0000000010"),
         ValidateSourceEntry("E:\\", "E:\\Backup").value()},
        {Selection({"C:\\a"}, "E:\\Nowhere", "0000000010"),
         NotStarted("Error Cannot Find E:\\Nowhere")},
    };
    for (const auto& [selection, message] : cases)
    {
        SCOPED_TRACE(message.text);
        Runner run;
        EXPECT_EQ(flows::RunOutcome::Stopped, run(selection));
        EXPECT_EQ(std::vector<Message>{message}, run.prompt.shown);
        EXPECT_EQ(kEarlierRun, run.install.Files());
        EXPECT_TRUE(run.shell.starts.empty());
    }
}

// The monitor's "System State" line lasts until the save that follows; the
// video marker is made by a run with Video ticked and never removed. A monitor
// that cannot start is no reason to stop: the backup runs.
TEST(RunBackup, StartedRunWritesItsFilesThenStartsTheScriptAndTheMonitor)
{
    Runner run;
    const std::string script = run.install.PathOf("backup.bat");
    run.shell.refused = {run.install.PathOf("Load.exe")};
    const auto selection = Selection({"C:\\Data", "D:\\Photos"}, kHere, "0000000010");
    EXPECT_EQ(flows::RunOutcome::Started, run(selection));
    EXPECT_TRUE(run.prompt.shown.empty());
    EXPECT_EQ((FileMap{{"backup.bat", "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"" +
                                          kHere + "\\systemstate\"\r\nerase \"" + script + "\""},
                       {"data.dat", kHere},
                       {"filestobackup.bck", "C:\\Data\r\nD:\\Photos\r\nSystem State\r\n"},
                       {"video", "old"}}),
              run.install.Files());
    EXPECT_EQ((Starts{{script, kShowHidden}, {run.install.PathOf("Load.exe"), kShowNormal}}),
              run.shell.starts);
    flows::SaveStore(selection, InstallDirectory(run.install.Path()), run.prompt);
    EXPECT_EQ("C:\\Data\r\nD:\\Photos\r\n", run.install.Read("filestobackup.bck"));

    EXPECT_EQ(flows::RunOutcome::Started, run(Selection({"C:\\Films"}, kHere, "0000010000")));
    EXPECT_EQ("", run.install.Read("video"));
}

// Each step fails in turn, a folder squatting on the name of the file to
// write (on every platform, even for root): what was written stays whole,
// nothing further is written or started, and no temporary file is left.
TEST(RunBackup, StopsAtTheFirstStepThatFails)
{
    const auto selection = Selection({"C:\\a", "D:\\b"}, kHere, "0000010010");
    Runner run;
    ASSERT_EQ(flows::RunOutcome::Started, run(selection));
    const FileMap written = run.install.Files();

    FileMap expected = kEarlierRun;
    for (const char* failing : {"data.dat", "backup.bat", "filestobackup.bck", "video"})
    {
        SCOPED_TRACE(failing);
        run.install.Write(kEarlierRun);
        fs::remove(run.install.PathOf(failing));
        fs::create_directory(run.install.PathOf(failing));
        EXPECT_EQ(flows::RunOutcome::Stopped, run(selection));
        EXPECT_EQ(
            std::vector<Message>{NotStarted("Error Cannot Write " + run.install.PathOf(failing))},
            run.prompt.shown);
        EXPECT_TRUE(run.shell.starts.empty());
        expected[failing] = "<folder>";
        EXPECT_EQ(expected, run.install.Files());
        expected[failing] = written.at(failing);
        fs::remove(run.install.PathOf(failing));
    }

    const std::string script = run.install.PathOf("backup.bat");
    run.shell.refused = {script};
    EXPECT_EQ(flows::RunOutcome::Stopped, run(selection));
    EXPECT_EQ(std::vector<Message>{NotStarted("Error Cannot Start " + script)}, run.prompt.shown);
    EXPECT_EQ((Starts{{script, kShowHidden}}), run.shell.starts);
    EXPECT_EQ(written, run.install.Files());
}
