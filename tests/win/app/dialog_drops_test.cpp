// Files and folders dropped from Explorer, as a real HDROP.
#include "tests/win/app/dialog_harness.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace
{

// Posts the drop of `paths` to the control, as the shell does.
void Drop(HWND control, const std::vector<std::string>& paths)
{
    std::string names;
    for (const std::string& path : paths)
        names.append(path).push_back('\0');
    names.push_back('\0');
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
    auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
    files->pFiles = sizeof(DROPFILES);
    memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), names.data(), names.size());
    GlobalUnlock(drop);
    PostMessageA(control, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
}

} // namespace

// On the list, everything is added in the order given; on the destination box,
// only a single folder is taken. The save shows what the window took.
TEST(Drops, ListTakesEverythingDestinationTakesOneFolder)
{
    TestDialog dialog;
    const std::string file = dialog.folder.PathOf("notes.txt");
    const std::string folder = dialog.folder.PathOf("docs");
    const std::string destination = dialog.folder.PathOf("backup");
    dialog.folder.Write("notes.txt", "");
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA(destination.c_str(), nullptr);
    dialog.Run([&](TestDialog& d) {
        Drop(d.Item(IDC_SOURCE_LIST), {file, folder});
        Drop(d.Item(IDC_DESTINATION), {destination});
        Drop(d.Item(IDC_DESTINATION), {file});
        Drop(d.Item(IDC_DESTINATION), {folder, folder});
        d.PostMessage(WM_CLOSE);
    });
    EXPECT_EQ(file + "\r\n" + folder + "\r\n", dialog.folder.Read(kFilesToBackupFile));
    EXPECT_EQ(destination, dialog.folder.Read(kDataFile));
}
