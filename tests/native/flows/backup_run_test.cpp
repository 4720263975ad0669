#include "flows/backup_run.h"
#include "tests/native/support/error_message.h"
#include "tests/native/support/install.h"
#include "tests/native/support/selection.h"

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

// `earlierRunGoesOn`: the monitor of an earlier run still holds its mutex.
flows::RunOutcome BackUp(Install& install, const BackupSelection& selection,
                         bool earlierRunGoesOn = false)
{
    install.prompt.shown.clear();
    install.shell.starts.clear();
    return flows::RunBackup(
        selection, install.Directory(), install.prompt, install.shell,
        [earlierRunGoesOn] { return earlierRunGoesOn; }, platform::LocalFiles());
}

Message NotStarted(const std::string& reason)
{
    return Error(reason + " \nDetails:The backup was not started");
}

} // namespace

TEST(RunBackup, StoppedRunShowsTheFirstProblemAndWritesNothing)
{
    const auto refusal = [](const char* text) { return Message{text, "Error", kStopType}; };
    struct Case
    {
        BackupSelection selection;
        Message message;
        bool earlierRunGoesOn = false;
    };
    const Case cases[] = {
        {Selection({}, "", "1000000000"), refusal("Please Select a Location to Backup To.")},
        {Selection({}, kHere, "0000000000"), refusal("Please Select a File or Folder To Backup")},
        // Hidden and modified only narrow a copy; alone they copy nothing.
        {Selection({"C:\\a"}, kHere, "0110000101"),
         refusal("Please Select a File Type or System Option")},
        // The entries are checked before the destination is looked for.
        {Selection({"C:\\a", "E:\\"}, "E:\\Backup", "0000000010"),
         Error("Error Cannot Backup To E:\\Backup From E:\\ \nDetails:Reccursive(infinite) "
               "backup would occur")},
        // Names before the destination, the first name the batch cannot carry
        // named; the destination before a running backup.
        {Selection({"C:\\a", "C:\\b|c", "C:\\d*"}, "E:\\Nowhere<", "0000000010"),
         Error("Error Cannot Back Up C:\\b|c \nDetails:Its name holds characters that the "
               "backup script cannot carry")},
        {Selection({"C:\\a"}, "E:\\Nowhere", "0000000010"),
         NotStarted("Error Cannot Find E:\\Nowhere"), true},
        // One batch at a time: the running one reads its file by offset.
        {Selection({"C:\\a"}, kHere, "0000000010"), NotStarted("Error A Backup Is Still Running"),
         true},
    };
    for (const auto& [selection, message, earlierRunGoesOn] : cases)
    {
        SCOPED_TRACE(message.text);
        Install install;
        install.Write(kEarlierRun);
        EXPECT_EQ(flows::RunOutcome::Stopped, BackUp(install, selection, earlierRunGoesOn));
        EXPECT_EQ(std::vector<Message>{message}, install.prompt.shown);
        EXPECT_EQ(kEarlierRun, install.Files());
        EXPECT_TRUE(install.shell.starts.empty());
    }
}

// The video marker is made by a run with Video ticked and never removed. A
// monitor that cannot start is no reason to stop: the backup runs. Each write
// fails in turn, a folder squatting on the file's name (on every platform,
// even for root): what was written stays whole, nothing further is written or
// started, and no temporary file is left.
TEST(RunBackup, WritesItsFilesInOrderThenStartsTheScriptAndTheMonitor)
{
    Install install;
    install.Write(kEarlierRun);
    const std::string script = install.PathOf("backup.bat"), monitor = install.PathOf("Load.exe");
    install.shell.refused = {monitor};
    const auto selection = Selection({"C:\\Data", "D:\\Photos"}, kHere, "0000000010");
    EXPECT_EQ(flows::RunOutcome::Started, BackUp(install, selection));
    EXPECT_TRUE(install.prompt.shown.empty());
    EXPECT_EQ((FileMap{{"backup.bat", "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"" +
                                          kHere + "\\systemstate\"\r\nerase \"" + script + "\""},
                       {"data.dat", kHere},
                       {"filestobackup.bck", "C:\\Data\r\nD:\\Photos\r\nSystem State\r\n"},
                       {"video", "old"}}),
              install.Files());
    EXPECT_EQ((Starts{{script, kShowHidden}, {monitor, kShowNormal}}), install.shell.starts);

    const auto videos = Selection({"C:\\Films"}, kHere, "0000010000");
    ASSERT_EQ(flows::RunOutcome::Started, BackUp(install, videos));
    const FileMap written = install.Files();
    EXPECT_EQ("", written.at("video"));
    FileMap expected = kEarlierRun;
    for (const char* failing : {"data.dat", "backup.bat", "filestobackup.bck", "video"})
    {
        SCOPED_TRACE(failing);
        install.Write(kEarlierRun);
        fs::remove(install.PathOf(failing));
        fs::create_directory(install.PathOf(failing));
        EXPECT_EQ(flows::RunOutcome::Stopped, BackUp(install, videos));
        EXPECT_EQ(std::vector<Message>{NotStarted("Error Cannot Write " + install.PathOf(failing))},
                  install.prompt.shown);
        EXPECT_TRUE(install.shell.starts.empty());
        expected[failing] = "<folder>";
        EXPECT_EQ(expected, install.Files());
        expected[failing] = written.at(failing);
        fs::remove(install.PathOf(failing));
    }

    install.shell.refused = {script};
    EXPECT_EQ(flows::RunOutcome::Stopped, BackUp(install, videos));
    EXPECT_EQ(std::vector<Message>{NotStarted("Error Cannot Start " + script)},
              install.prompt.shown);
    EXPECT_EQ((Starts{{script, kShowHidden}}), install.shell.starts);
    EXPECT_EQ(written, install.Files());
}
