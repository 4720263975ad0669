#include "flows/backup_run.h"
#include "plan/backup_script.h"
#include "plan/batch_text.h"
#include "plan/source_lookup.h"
#include "plan/validate_source_entry.h"
#include "platform/path_text.h"
#include "tests/native/agent_support.h"

#include <gtest/gtest.h>
#include <sstream>
#ifdef _WIN32
#include <windows.h>
#endif

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

// A plan over a tree where no source is a file.
std::string Script(const BackupSelection& selection, const std::string& batch)
{
    FakeFiles files;
    return ComposeBackupScript(PlanBackup(selection, files), batch);
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

// Every box ticked but "modified only": the blocks in their order, each
// suffix once; the two automation boxes change nothing.
TEST(BackupScript, OneSourceWithEveryBlock)
{
    const std::string all = "xcopy /d /y /s /C /I /h \"C:\\Data\" \"E:\\Backup\"\n"
                            "attrib -h \"E:\\Backup\"\n";
    std::string expected = all + "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" "
                                 "\"E:\\Backup\\systemstate\"\n";
    std::istringstream suffixes("JPG JPEG JPE BMP RLE DIB GIF PSD PDD EPS FLM PCD PCT PICT PXR PNG "
                                "TIF TIFF MP3 WMA WAV CDA MP2 SND AVI MPEG MPG M1V WMV DOC XLS XLW "
                                "TXT MCW WPD WPS RTF");
    for (std::string suffix; suffixes >> suffix;)
        expected += "xcopy /d /y /s /C /I \"C:\\Data\\*" + suffix + "\" \"E:\\Backup\"\n";
    EXPECT_EQ(expected + all +
                  "erase \"C:\\Program Files\\Corvane Software\\Corvane Backup\\backup.bat\"",
              Script(Selection({"C:\\Data"}, "E:\\Backup", "1111111110"),
                     "C:\\Program Files\\Corvane Software\\Corvane Backup\\backup.bat"));
}

// With two or more sources a block repeats its lines for each source in list
// order, each into the source's own folder, and " /M" follows
// every xcopy but the system folder's. A "%" the user typed is doubled: the
// interpreter expands "%name%" even inside quotes.
TEST(BackupScript, SourcesInListOrderAsTheUserTypedThem)
{
    EXPECT_EQ(
        R"(xcopy /d /y /s /C /I /h  "%systemroot%\SYSTEM32" "E:\%%USER%%\systemstate"
xcopy /M /d /y /s /C /I "C:\100%%\*AVI" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "C:\100%%\*MPEG" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "C:\100%%\*MPG" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "C:\100%%\*M1V" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "C:\100%%\*WMV" "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I "D:\\*AVI" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I "D:\\*MPEG" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I "D:\\*MPG" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I "D:\\*M1V" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I "D:\\*WMV" "E:\%%USER%%\D"
xcopy /M /d /y /s /C /I /h "C:\100%%" "E:\%%USER%%\C\100%%"
attrib -h "E:\%%USER%%\C\100%%"
xcopy /M /d /y /s /C /I /h "D:\" "E:\%%USER%%\D"
attrib -h "E:\%%USER%%\D"
erase "D:\50%%\backup.bat")",
        Script(Selection({"C:\\100%", "D:\\"}, "E:\\%USER%", "0000010111"), "D:\\50%\\backup.bat"));
}
// Compared as the file system compares names; an entry holds the destination
// only up to a folder boundary.
// By identity too, with the same messages: a junction or another drive letter
// to the destination or a folder above it; and no source inside the backup's
// own reports or versions folder.
TEST(ValidateSourceEntry, RejectsTheDestinationAndEveryFolderThatHoldsIt)
{
    FakeFiles files;
    files.AddFolder("C:\\Data\\Backup", false);
    files.aliases = {{"J:\\Same", "C:\\Data\\Backup"}, {"J:\\Up", "C:\\Data"}};
    const std::tuple<std::string, std::string, char> cases[] = {
        // 'D'uplicate, 'R'ecursion, or accepted
        {"C:\\Data", "E:\\Backup", 0},
        {"C:\\Backup", "c:\\BACKUP", 'D'},
        {"", "", 'D'},
        {"c:\\", "C:\\Backup", 'R'},
        {"C:\\DATA", "c:\\data\\backup\\today", 'R'},
        {"C:\\Data", "C:\\Database", 0},
        {"C:\\Backup\\Sub", "C:\\Backup", 0},
        {"J:\\Same", "C:\\Data\\Backup", 'D'},
        {"J:\\Up", "C:\\Data\\Backup", 'R'},
        {"C:\\Data\\Backup\\Corvane Backup reports", "C:\\Data\\Backup", 'R'},
        {"C:\\Data\\Backup\\Corvane Backup versions\\C", "C:\\Data\\Backup", 'R'},
        {"C:\\Data\\Backup\\Sub", "C:\\Data\\Backup", 0},
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
        EXPECT_EQ(expected, SourceEntryChecks(destination, files).Check(entry));
        const BackupSelection selection{{entry}, destination, {}};
        EXPECT_EQ(expected,
                  FirstRejectedSource(selection, LookUpSources(selection.sources, files), files));
    }
}

// With several sources every file goes to the mirror of its own path: the
// drive letter as written, "UNC" for a share (a mapped drive by its share),
// "other" for neither. A file entry copies into the mirror of its folder,
// which is made first (xcopy asks "file or directory?" for a missing one); a
// file entry that is not there counts as a folder. A drive-root destination
// joins with one backslash, but for the System State line's own text. The
// text is in the OEM code page.
TEST(BackupScript, EveryFileGoesToTheMirrorOfItsPath)
{
    const std::vector<std::string> sources = {
        "C:\\Caf\xE9",       "D:\\Work\\Docs\\", "D:\\",       "C:\\Notes\\a.txt", "c:\\50%\\b.txt",
        "\\\\srv\\share\\x", "M:\\Mapped",       "\\odd:name", "C:\\gone.txt"};
    FakeFiles files;
    files.AddFile("C:\\Notes\\a.txt", 0);
    files.AddFile("c:\\50%\\b.txt", 0);
    files.universal["M:"] = "\\\\nas\\home";
    const auto line = [](const std::string& source, const std::string& folder) {
        return "xcopy /d /y /s /C /I /h \"" + source + "\" \"E:\\" + folder +
               "\"\nattrib -h \"E:\\" + folder + "\"\n";
    };
    EXPECT_EQ(
        "md \"E:\\C\\Notes\" 2>nul\nmd \"E:\\c\\50%%\" 2>nul\n" +
            line("C:\\Caf" + kBatchE, "C\\Caf" + kBatchE) + line(sources[1], "D\\Work\\Docs") +
            line(sources[2], "D") + line(sources[3], "C\\Notes") +
            line("c:\\50%%\\b.txt", "c\\50%%") + line(sources[5], "UNC\\srv\\share\\x") +
            line(sources[6], "UNC\\nas\\home\\Mapped") + line(sources[7], "other\\oddname") +
            line(sources[8], "C\\gone.txt") +
            "xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"E:\\\\systemstate\"\n"
            "erase \"x\"",
        ComposeBackupScript(PlanBackup(Selection(sources, "E:\\", "1000000010"), files), "x"));
}

// A plan keeps the texts of each of many sources whole, and its own: they
// outlive the selection it was made from, a name longer than the others put
// together among them, and a move of the plan.
TEST(CopyPlan, KeepsEverySourcesTextsWhole)
{
    std::vector<std::string> sources;
    for (int i = 0; i < 3000; ++i)
        sources.push_back("C:\\Folder " + std::to_string(i) + std::string(40, 'x'));
    sources[1500] = "C:\\" + std::string(100000, 'y');
    FakeFiles files;
    CopyPlan plan = PlanBackup(Selection(sources, "E:\\", "1000000000"), files);
    const CopyPlan moved = std::move(plan);
    ASSERT_EQ(sources.size() + 1, moved.sources.size());
    for (size_t i = 0; i < sources.size(); ++i)
    {
        EXPECT_EQ(sources[i], moved.sources[i].path);
        EXPECT_EQ("E:\\C\\" + sources[i].substr(3), moved.sources[i].copyFolder);
    }
}

// Names in Windows' own code pages. In code page 932 the bytes 83 5C are one
// character whose second byte is a backslash's: "C:\\" followed by them is
// one folder, and ends in no separator; "\x83\x7C" is a letter, not a "|" the
// batch could not carry. Names as Windows hands them to an ANSI program,
// through the real conversions: each kind of character the batch cannot carry
// is refused.
TEST(BatchNames, AreReadByCharacterInWindowsCodePages)
{
#ifndef _WIN32
    GTEST_SKIP() << "the ANSI, OEM and double-byte code pages are Windows' own";
#else
    const std::string folder = "C:\\\x83\x5C";
    EXPECT_FALSE(platform::EndsWithSeparator(folder, 932));
    EXPECT_EQ(2u, platform::FindLastSeparator(folder + "x", 932));
    EXPECT_TRUE(platform::EndsWithSeparator(folder, 1252));
    EXPECT_EQ(std::string::npos, platform::FindFirstCharacterOf("C:\\\x83\x7C", "<|>", 932));
    EXPECT_EQ(5u, platform::FindFirstCharacterOf("C:\\\x83\x7C|", "<|>", 932));
    const std::pair<const wchar_t*, bool> names[] = {
        {L"C:\\Caf\u00e9 100%", true},
        {L"C:\\\u201cFinal\u201d", false}, // a straight quote in the OEM code page
        {L"C:\\\uff02Final", false},       // a straight quote already in ANSI
        {L"C:\\Price \u20ac", false},      // "?" in the OEM code page
        {L"C:\\\u4e2d\u6587", false},      // "?" already in ANSI
    };
    for (const auto& [wide, carried] : names)
    {
        char ansi[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, MAX_PATH, nullptr, nullptr);
        EXPECT_EQ(carried, CanCarryInBatch(ansi)) << ansi;
    }
#endif
}
