// "Backup Now" from end to end: the program starts its batch and the monitor
// and ends, the real xcopy copies, the monitor gives its verdict, and a
// second run copies what changed.
#include "tests/e2e/driver.h"

namespace e2e
{
namespace
{

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
    // sharing, and a file entry whose folder the destination does not have
    // yet: a run of every file type copies what is new or newer, the file into
    // its mirrored folder, and xcopy /C passes over the file it cannot read;
    // the verdict names that file as it is named, and why.
    const std::string held = kSources[1] + "\\новый 🙂.txt";
    RewriteNewer(kSources[0] + "\\letter.doc", "changed");
    WriteBytes(held, "new");
    for (const auto& [source, path] : kSamples)
        expected[CopyOf(source, path)] = SampleText(source, path);
    expected[CopyOf(0, "letter.doc")] = "changed";
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
    EXPECT_EQ(Verdict(),
              "1 of 14 files were not backed up.\r\n" + held + "\tin use by another program\r\n");
    CloseHandle(holding);
    EXPECT_EQ(Copies(), expected);

    // A quiet restore brings back a file named in any alphabet; a path no
    // source covers is refused with status 2.
    const std::string smile = kSources[0] + "\\Trip\\🙂 smile.jpg";
    fs::remove(fs::u8path(smile));
    const std::string load = '"' + InstalledPath("Load.exe") + "\" /restore /quiet ";
    EXPECT_EQ(Program(load + '"' + smile + '"').Exit(60000), 0u);
    EXPECT_EQ(ReadBytes(smile), SampleText(0, "Trip\\🙂 smile.jpg"));
    EXPECT_EQ(Program(load + kHarness + "Elsewhere").Exit(), 2u);
}

} // namespace
} // namespace e2e
