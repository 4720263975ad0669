// "Backup Now" from end to end: the program starts its batch and the monitor
// and ends, the real xcopy copies, the monitor gives its verdict, and a
// second run copies what changed.
#include "tests/e2e/driver.h"

#include <cstdio>
#include <cstdlib>

namespace e2e
{
namespace
{

// Presses "Backup Now": the program ends with status 0, having started
// backup.bat hidden and the monitor, whose window shows. The stand-in records
// each start as an empty file named "<creation time> <name> <show state>".
void StartBackup(Program& program)
{
    fs::remove_all(kHarness + "starts");
    Click(program.Window(), IDC_BACKUP_NOW);
    EXPECT_EQ(program.Exit(), 0u);
    ASSERT_TRUE(WaitFor([] { return FindWindowW(L"#32770", L"Corvane Backup Monitor"); }));
    const FileTree starts = ReadTree(kHarness + "starts");
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts.begin()->first.substr(starts.begin()->first.find(' ') + 1), "backup.bat 0");
}

// Once the batch has run to its end and erased itself: the monitor's top line
// is the report's first line (its list is the verdict's, as MonitorWindow
// shows). Closes the monitor; the report's text.
std::string Verdict()
{
    HWND monitor = FindWindowW(L"#32770", L"Corvane Backup Monitor");
    std::string top;
    EXPECT_TRUE(WaitFor(
        [&] { return (top = Text(monitor, IDC_HEADLINE)).find("files were") != std::string::npos; },
        120000));
    EXPECT_FALSE(fs::exists(InstalledPath("backup.bat")));
    const std::string report = TakeReport();
    EXPECT_EQ(report.find(top + "\r\n"), 0u) << report;
    // scripts/screenshots takes a screenshot of a monitor that names a file.
    if (std::getenv("E2E_SCREENSHOT") && report.find('\t') != std::string::npos)
    {
        WriteBytes(kHarness + "monitor-ready", "");
        EXPECT_TRUE(WaitFor([] { return fs::exists(kHarness + "monitor-taken"); }, 60000));
    }
    Click(monitor, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(monitor); }));
    return report;
}

TEST_F(Installed, BackupNowCopiesWithXcopy)
{
    CreateSamples();
    {
        Program program;
        HWND window = program.Window();
        ASSERT_TRUE(window);
        ASSERT_NO_FATAL_FAILURE(ChoosePicturesAndDocuments(window));
        // The batch waits, as a long one would, until the second press is refused.
        WriteBytes(kHarness + "hold-batch", "");
        ASSERT_NO_FATAL_FAILURE(StartBackup(program));
    }
    {
        Program again;
        Click(again.Window(), IDC_BACKUP_NOW);
        EXPECT_EQ(AnswerMessageBox(again.Window(), L"ERROR"),
                  "Error A Backup Is Still Running \nDetails:The backup was not started");
        EXPECT_EQ(again.Close(true), 0u);
    }
    fs::remove(kHarness + "hold-batch");
    EXPECT_EQ(Verdict(), "All 10 files were backed up.\r\n");
    FileTree expected = PictureAndDocumentCopies();
    EXPECT_EQ(Copies(), expected);

    // A newer source, a new file that another program holds open without
    // sharing, a copy that is newer than its source, and a file entry whose
    // folder the destination does not have yet: a run of every file type
    // copies only what is new or newer, the file into its mirrored folder, and
    // xcopy /C passes over the file it cannot read; the verdict names both
    // files left as they are, as they are named.
    const std::string held = kSources[1] + "\\новый 🙂.txt";
    RewriteNewer(kSources[0] + "\\letter.doc", "changed");
    WriteBytes(held, "new");
    RewriteNewer(kBackupFolder + "\\" + CopyOf(1, "report.doc"), "copy kept");
    for (const auto& [source, path] : kSamples)
        expected[CopyOf(source, path)] = SampleText(source, path);
    expected[CopyOf(0, "letter.doc")] = "changed";
    expected[CopyOf(1, "report.doc")] = "copy kept";
    const std::string single = kHarness + "Single\\note.txt";
    fs::create_directories(fs::u8path(single).parent_path());
    WriteBytes(single, "note");
    expected["C\\e2e\\Single\\note.txt"] = "note";
    WriteBytes(InstalledPath("filestobackup.bck"),
               ReadBytes(InstalledPath("filestobackup.bck")) + single + "\r\n");
    HANDLE holding =
        CreateFileW(Wide(held).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Program second;
    ASSERT_TRUE(second.Window());
    // Copy on save off: the changes below stay the user's until a restore.
    SetBoxes(second.Window(), {{IDC_ALL_FILE_TYPES, true}, {IDC_BACKUP_ON_MODIFY, false}});
    ASSERT_NO_FATAL_FAILURE(StartBackup(second));
    EXPECT_EQ(Verdict(), "2 of 14 files were not backed up.\r\n" + kSources[1] +
                             "\\report.doc\tsize differs\r\n" + held + "\tmissing\r\n");
    CloseHandle(holding);
    EXPECT_EQ(Copies(), expected);

    // A restore of a source that lost files and changed another puts the
    // first back and keeps both of the second; so does one of a single file,
    // named in any alphabet; a path no source covers is refused with status 2.
    const std::string smile = "Trip\\🙂 smile.jpg", lost[] = {"beach.jpg", "Отчёт за год.doc"};
    for (const std::string& path : lost)
        fs::remove(fs::u8path(kSources[0] + "\\" + path));
    fs::remove(fs::u8path(kSources[0] + "\\" + smile));
    WriteBytes(kSources[0] + "\\Trip\\sunset.jpg", "edited");
    const std::string load = '"' + InstalledPath("Load.exe") + "\" /restore /quiet ";
    EXPECT_EQ(Program(load + '"' + kSources[0] + "\\" + smile + '"').Exit(60000), 0u);
    EXPECT_EQ(ReadBytes(kSources[0] + "\\" + smile), SampleText(0, smile));
    EXPECT_EQ(Program(load + '"' + kSources[0] + '"').Exit(60000), 0u);
    for (const std::string& path : lost)
        EXPECT_EQ(ReadBytes(kSources[0] + "\\" + path), SampleText(0, path));
    EXPECT_EQ(ReadBytes(kSources[0] + "\\Trip\\sunset.jpg"), "edited");
    SYSTEMTIME today{};
    GetLocalTime(&today);
    char restored[64];
    snprintf(restored, sizeof restored, "\\Trip\\sunset (restored %04d-%02d-%02d).jpg", today.wYear,
             today.wMonth, today.wDay);
    EXPECT_EQ(ReadBytes(kSources[0] + restored), SampleText(0, "Trip\\sunset.jpg"));
    EXPECT_EQ(Program(load + kHarness + "Elsewhere").Exit(), 2u);
}

} // namespace
} // namespace e2e
