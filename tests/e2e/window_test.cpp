// A selection made in the real window, through the real folder browser and
// file dialog: closing saves it and ends the program; the next start shows
// it, so that closing again writes the same store; Esc ends without writing.
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
    Click(window, kAddFile);
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

TEST_F(Installed, WindowSavesTheSelectionAndShowsItAgain)
{
    CreateSamples();
    const std::string folder = kSources[1] + "\\Archive 2%", file = kSources[1] + "\\report.doc";
    {
        Program program;
        HWND window = program.Window();
        ASSERT_TRUE(window);
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, kAddFolder, folder));
        // Every name shows, not only those with a blank: two files and a folder.
        ASSERT_NO_FATAL_FAILURE(AddFile(window, kSources[1], 3, file));
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, kBrowseDestination, kBackupFolder));
        SetBoxes(window, {{kAllFileTypes, false},
                          {kDocuments, true},
                          {kHidden, true},
                          {kSystemState, false},
                          {kModifiedOnly, true}});
        EXPECT_EQ(program.Close(), 0u);
    }
    // Documents, Hidden and Modified Only ticked besides the two automatic
    // backups that a first start ticks.
    EXPECT_EQ(ReadBytes(InstalledPath("settings.dat")), "0;1;1;0;0;0;1;1;0;1;");
    EXPECT_EQ(ReadBytes(InstalledPath("filestobackup.bck")), folder + "\r\n" + file + "\r\n");
    EXPECT_EQ(ReadBytes(InstalledPath("data.dat")), kBackupFolder);
    const FileTree store = ReadTree(kInstallDirectory);
    for (bool escape : {true, false})
    {
        Program again;
        ASSERT_TRUE(again.Window());
        if (escape)
            SetBoxes(again.Window(), {{kPictures, true}, {kHidden, false}});
        EXPECT_EQ(again.Close(escape), 0u);
        EXPECT_EQ(ReadTree(kInstallDirectory), store) << (escape ? "Esc" : "close");
    }
}

} // namespace
} // namespace e2e
