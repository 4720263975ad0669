// A selection made in the real window, through the real folder browser and
// file dialog: closing saves it and ends the program; the next start shows
// it, so that closing again writes the same store.
// "Add/Remove Virtual Drive" gives the saved destination a drive letter and
// takes it away again.
#include "tests/e2e/driver.h"

namespace e2e
{
namespace
{

// Clicks "Add File", opens `folder` in the real file dialog, checks that it
// lists `listed` names there, and picks `file`.
void AddFile(HWND window, const std::string& folder, LRESULT listed, const std::string& file)
{
    constexpr int kFileNameBox = 0x47c;
    Click(window, IDC_ADD_FILE);
    HWND dialog = OwnedDialog(window, kFileNameBox);
    ASSERT_TRUE(dialog) << "no file dialog";
    SetDlgItemTextW(dialog, kFileNameBox, Wide(folder).c_str());
    Click(dialog, IDOK);
    LRESULT shown = 0;
    EXPECT_TRUE(WaitFor([&] {
        HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
        HWND list = FindWindowExW(view, nullptr, L"SysListView32", nullptr);
        return view && (shown = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) == listed;
    })) << shown
        << " names listed in " << folder;
    SetDlgItemTextW(dialog, kFileNameBox, Wide(file).c_str());
    Confirm(dialog);
}

// The letter that stands for `folder` for every process of the session, or "".
std::string LetterOf(const std::string& folder)
{
    for (wchar_t name[] = L"A:"; name[0] <= L'Z'; ++name[0])
    {
        wchar_t target[MAX_PATH] = {};
        if (QueryDosDeviceW(name, target, MAX_PATH) && Wide("\\??\\" + folder) == target)
            return fs::path(name).u8string();
    }
    return "";
}

// vd.exe, a program of its own, tells in a box that the window does not own;
// another process, this one, finds the letter, and then no longer.
void ToggleVirtualDriveTwice(HWND window)
{
    Click(window, IDC_VIRTUAL_DRIVE);
    const std::string told = AnswerMessageBox(nullptr, L"Corvane Backup");
    const std::string letter = LetterOf(kBackupFolder);
    ASSERT_NE(letter, "") << told;
    EXPECT_EQ(told, "Your backup folder " + kBackupFolder + " is now drive " + letter + ".");
    Click(window, IDC_VIRTUAL_DRIVE);
    EXPECT_EQ(AnswerMessageBox(nullptr, L"Corvane Backup"),
              "Drive " + letter + " no longer shows your backup folder.");
    EXPECT_EQ(LetterOf(kBackupFolder), "");
}

TEST_F(Installed, WindowSavesTheSelectionAndShowsItAgain)
{
    CreateSamples();
    const std::string folder = kSources[1] + "\\Archive 2%", file = kSources[1] + "\\report.doc";
    {
        Program program;
        HWND window = program.Window();
        ASSERT_TRUE(window);
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, IDC_ADD_FOLDER, folder));
        // Every name shows, not only those with a blank: five files and a folder.
        ASSERT_NO_FATAL_FAILURE(AddFile(window, kSources[1], 6, file));
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, IDC_BROWSE_DESTINATION, kBackupFolder));
        SetBoxes(window, {{IDC_ALL_FILE_TYPES, false},
                          {IDC_DOCUMENTS, true},
                          {IDC_HIDDEN, true},
                          {IDC_SYSTEM_STATE, false},
                          {IDC_MODIFIED_ONLY, true}});
        EXPECT_EQ(program.Close(), 0u);
    }
    EXPECT_EQ(ReadBytes(InstalledPath("filestobackup.bck")), folder + "\r\n" + file + "\r\n");
    EXPECT_EQ(ReadBytes(InstalledPath("data.dat")), kBackupFolder);
    const FileTree store = ReadTree(kInstallDirectory);
    Program again;
    ASSERT_TRUE(again.Window());
    ASSERT_NO_FATAL_FAILURE(ToggleVirtualDriveTwice(again.Window()));
    EXPECT_EQ(again.Close(), 0u);
    EXPECT_EQ(ReadTree(kInstallDirectory), store);
}

} // namespace
} // namespace e2e
