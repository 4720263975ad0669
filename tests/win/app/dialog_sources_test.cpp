// Removing sources, and the counter that every walk over them ends at.
#include "tests/win/app/dialog_harness.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

constexpr const char* kThreeSources = "C:\\One\r\nC:\\Two\r\nC:\\Three\r\n";

TEST(RemoveSelected, EnabledByTheUsersSelectionAndDisabledByEachRemoval)
{
    DialogFixture f;
    f.folder.Write(kFilesToBackupFile, kThreeSources);
    f.dialog.Run([](TestDialog& d) {
        // A selection the program makes is no user's choice.
        SendMessageA(d.Item(IDC_SOURCE_LIST), LB_SETCURSEL, 0, 0);
        EXPECT_FALSE(d.Enabled(IDC_REMOVE_SELECTED));

        d.ClickSource(1);
        EXPECT_TRUE(d.Enabled(IDC_REMOVE_SELECTED));
        d.Click(IDC_REMOVE_SELECTED);
        EXPECT_EQ(d.Sources(), (std::vector<std::string>{"C:\\One", "C:\\Three"}));
        EXPECT_EQ(lastSourceIndex, 1);
        EXPECT_FALSE(d.Enabled(IDC_REMOVE_SELECTED));

        d.ClickSource(0);
        d.Click(IDC_REMOVE_SELECTED);
        EXPECT_EQ(d.Sources(), std::vector<std::string>{"C:\\Three"});
        EXPECT_EQ(lastSourceIndex, 0);
        EXPECT_FALSE(d.Enabled(IDC_REMOVE_SELECTED));
    });
}

TEST(RemoveSelected, WithNothingSelectedChangesNothing)
{
    DialogFixture f;
    f.folder.Write(kFilesToBackupFile, kThreeSources);
    f.folder.Write(kDataFile, "E:\\Backup");
    f.dialog.Run([](TestDialog& d) {
        d.ClickSource(2);
        SendMessageA(d.Item(IDC_SOURCE_LIST), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        d.Click(IDC_REMOVE_SELECTED);
        EXPECT_EQ(d.Sources().size(), 3u);
        EXPECT_EQ(lastSourceIndex, 2);
        d.SendMessage(WM_CLOSE);
    });
    EXPECT_EQ(f.folder.Read(kFilesToBackupFile), kThreeSources);
}

// The list refuses one entry; the counter must still end at the last entry the
// list holds, or the save would read past it.
WNDPROC listProcedure = nullptr;

LRESULT CALLBACK RefusingList(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LB_ADDSTRING && std::strcmp(reinterpret_cast<LPCSTR>(lParam), "C:\\Two") == 0)
        return LB_ERRSPACE;
    return CallWindowProcA(listProcedure, hWnd, message, wParam, lParam);
}

TEST(SourceCounter, AnEntryTheListRefusesDoesNotMoveIt)
{
    DialogFixture f;
    f.folder.Write(kFilesToBackupFile, kThreeSources);
    f.folder.Write(kDataFile, "E:\\Backup");
    const auto refuse = [](TestDialog& d) {
        listProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            d.Item(IDC_SOURCE_LIST), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingList)));
    };
    f.dialog.Run(
        [](TestDialog& d) {
            EXPECT_EQ(d.Sources(), (std::vector<std::string>{"C:\\One", "C:\\Three"}));
            EXPECT_EQ(lastSourceIndex, 1);
            d.SendMessage(WM_CLOSE);
        },
        refuse);
    EXPECT_TRUE(f.dialog.processEnded);
    EXPECT_EQ(f.folder.Read(kFilesToBackupFile), "C:\\One\r\nC:\\Three\r\n");
}

} // namespace
