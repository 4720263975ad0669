// A selection made in the real window, through the real folder browser and
// file dialog: closing saves it and ends the program, the next start shows
// it, and Esc ends without writing.
#include "tests/e2e/driver.h"

#include <commctrl.h>

namespace e2e
{
namespace
{

// Clicks "Add File", opens `folder` in the real file dialog, checks that it
// lists `listed` names there, and picks `file`.
void AddFile(HWND window, const std::string& folder, LRESULT listed, const std::string& file)
{
    constexpr int kFileNameBox = 0x47c, kFileTypeBox = 0x470;
    Click(window, kAddFile);
    HWND dialog = OwnedDialog(window, kFileNameBox);
    ASSERT_TRUE(dialog) << "no file dialog";
    SendDlgItemMessageW(dialog, kFileNameBox, WM_SETTEXT, 0, (LPARAM)Wide(folder).c_str());
    Click(dialog, IDOK);
    LRESULT shown = 0;
    EXPECT_TRUE(WaitFor([&] {
        HWND view = FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr);
        HWND list = FindWindowExW(view, nullptr, L"SysListView32", nullptr);
        return view && (shown = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) == listed;
    })) << shown
        << " names listed with the file type " << TextOf(GetDlgItem(dialog, kFileTypeBox));
    SendDlgItemMessageW(dialog, kFileNameBox, WM_SETTEXT, 0, (LPARAM)Wide(file).c_str());
    Confirm(dialog);
}

std::vector<std::string> SourceList(HWND window)
{
    std::vector<std::string> entries;
    for (LRESULT at = 0; at < SendDlgItemMessageW(window, kSourceList, LB_GETCOUNT, 0, 0); ++at)
    {
        wchar_t text[1024] = {};
        SendDlgItemMessageW(window, kSourceList, LB_GETTEXT, at, reinterpret_cast<LPARAM>(text));
        entries.push_back(Utf8(text));
    }
    return entries;
}

// The option boxes as settings.dat keeps them.
std::string Boxes(HWND window)
{
    std::string boxes;
    for (int box : {kAllFileTypes, 1014, 1016, kPictures, 1001, 1002, kDocuments, kHidden,
                    kSystemState, kModifiedOnly})
        boxes += IsDlgButtonChecked(window, box) ? "1;" : "0;";
    return boxes;
}

TEST_F(Installed, WindowSavesTheSelectionAndShowsItAgain)
{
    CreateSamples();
    const std::vector<std::string> sources = {kSources[1] + "\\Archive 2%",
                                              kSources[1] + "\\report.doc"};
    // Documents, Hidden and Modified Only ticked besides the two automatic
    // backups that a first start ticks; All File Types and System State not.
    const std::string boxes = "0;1;1;0;0;0;1;1;0;1;";
    {
        Program program;
        HWND window = program.Window();
        ASSERT_TRUE(window);
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, kAddFolder, sources[0]));
        // Every name shows, not only those with a blank: two files and a folder.
        ASSERT_NO_FATAL_FAILURE(AddFile(window, kSources[1], 3, sources[1]));
        ASSERT_NO_FATAL_FAILURE(ChooseFolder(window, kBrowseDestination, kBackupFolder));
        SetBoxes(window, {{kAllFileTypes, false},
                          {kDocuments, true},
                          {kHidden, true},
                          {kSystemState, false},
                          {kModifiedOnly, true}});
        EXPECT_EQ(program.Close(), 0u);
    }
    EXPECT_EQ(ReadBytes(InstalledPath("settings.dat")), boxes);
    EXPECT_EQ(ReadBytes(InstalledPath("filestobackup.bck")),
              sources[0] + "\r\n" + sources[1] + "\r\n");
    EXPECT_EQ(ReadBytes(InstalledPath("data.dat")), kBackupFolder);

    Program again;
    HWND window = again.Window();
    ASSERT_TRUE(window);
    EXPECT_EQ(SourceList(window), sources);
    EXPECT_EQ(TextOf(GetDlgItem(window, kDestination)), kBackupFolder);
    EXPECT_EQ(Boxes(window), boxes);
    const FileTree store = ReadTree(kInstallDirectory);
    SetBoxes(window, {{kPictures, true}, {kHidden, false}});
    EXPECT_EQ(again.Close(true), 0u);
    EXPECT_EQ(ReadTree(kInstallDirectory), store);
}

} // namespace
} // namespace e2e
