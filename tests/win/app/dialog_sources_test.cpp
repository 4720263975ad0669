// The source list and the counter that every walk over it ends at.
#include "tests/win/app/dialog_harness.h"

#include <cstring>
#include <gtest/gtest.h>

namespace
{

using Entries = std::vector<std::string>;
constexpr const char* kThreeSources = "C:\\One\r\nC:\\Two\r\nC:\\Three\r\n";

TEST(RemoveSelected, EnabledByTheUsersSelectionRemovesOnlyTheSelectedEntry)
{
    TestDialog dialog;
    dialog.folder.Write({{kFilesToBackupFile, kThreeSources}});
    dialog.Run([](TestDialog& d) {
        // A selection the program makes is no user's choice.
        SendMessageA(d.Item(IDC_SOURCE_LIST), LB_SETCURSEL, 0, 0);
        EXPECT_FALSE(d.Enabled(IDC_REMOVE_SELECTED));

        d.ClickSource(1);
        EXPECT_TRUE(d.Enabled(IDC_REMOVE_SELECTED));
        d.Click(IDC_REMOVE_SELECTED);
        EXPECT_EQ(d.Sources(), (Entries{"C:\\One", "C:\\Three"}));
        EXPECT_EQ(lastSourceIndex, 1);
        EXPECT_FALSE(d.Enabled(IDC_REMOVE_SELECTED));

        d.ClickSource(0);
        SendMessageA(d.Item(IDC_SOURCE_LIST), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        d.Click(IDC_REMOVE_SELECTED); // enabled, but nothing is selected
        EXPECT_EQ(d.Sources(), (Entries{"C:\\One", "C:\\Three"}));
        EXPECT_EQ(lastSourceIndex, 1);

        d.ClickSource(0);
        d.Click(IDC_REMOVE_SELECTED);
        EXPECT_EQ(d.Sources(), Entries{"C:\\Three"});
        EXPECT_EQ(lastSourceIndex, 0);
        EXPECT_FALSE(d.Enabled(IDC_REMOVE_SELECTED));
    });
}

WNDPROC listProcedure = nullptr;

LRESULT CALLBACK RefusingTwo(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LB_ADDSTRING && std::strcmp(reinterpret_cast<LPCSTR>(lParam), "C:\\Two") == 0)
        return LB_ERRSPACE;
    return CallWindowProcA(listProcedure, hWnd, message, wParam, lParam);
}

// Otherwise a save would read past the last entry the list holds.
TEST(SourceCounter, AnEntryTheListRefusesDoesNotMoveIt)
{
    TestDialog dialog;
    dialog.folder.Write({{kFilesToBackupFile, kThreeSources}});
    dialog.beforeInit = [](TestDialog& d) {
        listProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            d.Item(IDC_SOURCE_LIST), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RefusingTwo)));
    };
    dialog.Run([](TestDialog& d) {
        EXPECT_EQ(d.Sources(), (Entries{"C:\\One", "C:\\Three"}));
        EXPECT_EQ(lastSourceIndex, 1);
    });
}

} // namespace
