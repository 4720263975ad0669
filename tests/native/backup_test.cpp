#include "flows/backup_run.h"
#include "plan/backup_script.h"
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

flows::RunOutcome BackUp(Install& install, const BackupSelection& selection)
{
    install.prompt.shown.clear();
    install.shell.starts.clear();
    return flows::RunBackup(selection, install.Directory(), install.prompt, install.shell);
}

Message NotStarted(const std::string& reason)
{
    return Error(reason + " \nDetails:The backup was not started");
}

std::string Script(const BackupSelection& selection, const std::string& batch)
{
    return ComposeBackupScript(PlanBackup(selection, [](const std::string&) { return false; }),
                               batch);
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
        Install install;
        install.Write(kEarlierRun);
        EXPECT_EQ(flows::RunOutcome::Stopped, BackUp(install, selection));
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
    const std::string script = install.PathOf("backup.bat");
    const std::string monitor = install.PathOf("Load.exe");
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

// Every box ticked but "modified only": the blocks in their order, each
// suffix once; the two automation boxes change nothing.
TEST(BackupScript, OneSourceWithEveryBlock)
{
    EXPECT_EQ(R"(xcopy /d /y /s /C /I /h "C:\Data" "E:\Backup"
attrib -h "E:\Backup"
xcopy /d /y /s /C /I /h  "%systemroot%\SYSTEM32" "E:\Backup\systemstate"
xcopy /d /y /s /C /I "C:\Data\*JPG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*JPEG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*JPE" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*BMP" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*RLE" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*DIB" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*GIF" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PSD" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PDD" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*EPS" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*FLM" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PCD" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PCT" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PICT" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PXR" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*PNG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*TIF" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*TIFF" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MP3" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WMA" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WAV" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*CDA" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MP2" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*SND" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*AVI" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MPEG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MPG" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*M1V" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WMV" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*DOC" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*XLS" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*XLW" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*TXT" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*MCW" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WPD" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*WPS" "E:\Backup"
xcopy /d /y /s /C /I "C:\Data\*RTF" "E:\Backup"
xcopy /d /y /s /C /I /h "C:\Data" "E:\Backup"
attrib -h "E:\Backup"
erase "C:\Program Files\Corvane Software\Corvane Backup\backup.bat")",
              Script(Selection({"C:\\Data"}, "E:\\Backup", "1111111110"),
                     "C:\\Program Files\\Corvane Software\\Corvane Backup\\backup.bat"));
}

// A block repeats its lines for each source in list order, and " /M" follows
// every xcopy but the system folder's. A "%" the user typed is doubled (the
// interpreter expands "%name%" even inside quotes) and the text is in the OEM
// code page.
TEST(BackupScript, SourcesInListOrderAsTheUserTypedThem)
{
    EXPECT_EQ(
        R"(xcopy /d /y /s /C /I /h  "%systemroot%\SYSTEM32" "E:\%%USER%%\systemstate"
xcopy /M /d /y /s /C /I "C:\100%%\*AVI" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "C:\100%%\*MPEG" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "C:\100%%\*MPG" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "C:\100%%\*M1V" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "C:\100%%\*WMV" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*AVI" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*MPEG" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*MPG" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*M1V" "E:\%%USER%%"
xcopy /M /d /y /s /C /I "D:\\*WMV" "E:\%%USER%%"
xcopy /M /d /y /s /C /I /h "C:\100%%" "E:\%%USER%%"
attrib -h "E:\%%USER%%"
xcopy /M /d /y /s /C /I /h "D:\" "E:\%%USER%%"
attrib -h "E:\%%USER%%"
erase "D:\50%%\backup.bat")",
        Script(Selection({"C:\\100%", "D:\\"}, "E:\\%USER%", "0000010111"), "D:\\50%\\backup.bat"));
    const std::string to = "\"E:\\B\"\n";
    EXPECT_EQ("xcopy /d /y /s /C /I /h \"C:\\Caf" + kBatchE + "\" " + to + "attrib -h " + to +
                  "erase \"x\"",
              Script(Selection({"C:\\Caf\xE9"}, "E:\\B", "0000000100"), "x"));
}

// Compared as the file system compares names; an entry holds the destination
// only up to a folder boundary.
TEST(ValidateSourceEntry, RejectsTheDestinationAndEveryFolderThatHoldsIt)
{
    const std::tuple<std::string, std::string, char> cases[] = {
        // 'D'uplicate, 'R'ecursion, or accepted
        {"C:\\Data", "E:\\Backup", 0},
        {"C:\\Backup", "c:\\BACKUP", 'D'},
        {"", "", 'D'},
        {"c:\\", "C:\\Backup", 'R'},
        {"C:\\DATA", "c:\\data\\backup\\today", 'R'},
        {"C:\\Data", "C:\\Database", 0},
        {"C:\\Backup\\Sub", "C:\\Backup", 0},
#ifdef _WIN32
        {"C:\\Caf\xE9", "C:\\CAF\xC9", 'D'},
        {"C:\\\xC9t\xE9", "C:\\\xE9T\xC9\\Backup", 'R'},
#endif
    };
    for (const auto& [entry, destination, rejection] : cases)
    {
        SCOPED_TRACE("entry \"" + entry + "\", destination \"" + destination + "\"");
        std::optional<Message> expected;
        if (rejection == 'D')
            expected =
                Error("Error Duplicate Found. You Cannot Backup " + entry + " To " + destination);
        if (rejection == 'R')
            expected = Error("Error Cannot Backup To " + destination + " From " + entry +
                             " \nDetails:Reccursive(infinite) backup would occur");
        EXPECT_EQ(expected, ValidateSourceEntry(entry, destination));
    }
}
