// The window itself: its system menu, the minimised icon, and the ways it
// ends.
#include "app/icon_position.h"
#include "tests/win/app/dialog_harness.h"

#include <gtest/gtest.h>

namespace
{

TEST(MinimisedIcon, CentredWithTheOffsetTruncatedTowardZero)
{
    const POINT square = MinimisedIconPosition({0, 0, 36, 36}, 32, 32);
    EXPECT_EQ(std::pair(square.x, square.y), std::pair(2L, 2L));
    EXPECT_EQ(MinimisedIconPosition({0, 0, 30, 36}, 32, 32).x, 0);
}

int aboutBoxesSeen = 0;

// Runs in the About box's own modal loop: closes the box and counts it.
void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (const HWND about = FindWindowA(nullptr, "About Corvane Backup"))
    {
        ++aboutBoxesSeen;
        KillTimer(nullptr, timer);
        PostMessageA(about, WM_COMMAND, IDOK, 0);
    }
}

// The About item ends the system menu, after a separator; the system keeps the
// low four bits of a command for itself.
TEST(SystemMenu, AboutItemOpensTheAboutBoxWhateverTheCommandsLowBits)
{
    for (const auto& [command, opens] : {std::pair{0x0010, 1}, {0x0013, 1}, {0x0020, 0}})
    {
        TestDialog dialog;
        aboutBoxesSeen = 0;
        dialog.Run([command = command](TestDialog& d) {
            const HMENU menu = GetSystemMenu(d.m_hWnd, FALSE);
            const int count = GetMenuItemCount(menu);
            EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
            EXPECT_EQ(GetMenuItemID(menu, count - 1), 0x0010u);
            char text[64] = {};
            GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, "&About Corvane Backup...");

            const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseAboutBox);
            d.SendMessage(WM_SYSCOMMAND, command, 0);
            KillTimer(nullptr, timer);
        });
        EXPECT_EQ(aboutBoxesSeen, opens) << command;
    }
}

// Esc leaves the store alone. The close box and a started backup save what the
// window shows and end the program; a refused source entry keeps it open.
TEST(DialogEnd, SavesAndEndsOnlyWhenTheSelectionIsAccepted)
{
    // What is posted to the window, whether the source entry is accepted, whether it saves.
    for (const auto& [message, wParam, accepted, saves] :
         {std::tuple<UINT, WPARAM, bool, bool>{WM_KEYDOWN, VK_ESCAPE, true, false},
          {WM_CLOSE, 0, true, true},
          {WM_CLOSE, 0, false, false},
          {WM_COMMAND, IDC_BACKUP_NOW, true, true},
          {WM_COMMAND, IDC_BACKUP_NOW, false, false}})
    {
        SCOPED_TRACE(testing::Message() << message << " " << wParam << " accepted " << accepted);
        TestDialog dialog;
        const std::string sources = (accepted ? "C:\\Data" : dialog.folder.Path()) + "\r\n";
        dialog.folder.Write({{kFilesToBackupFile, sources}, {kDataFile, dialog.folder.Path()}});
        const int result = dialog.Run([&](TestDialog& d) { d.PostMessage(message, wParam); });
        EXPECT_EQ(result, message == WM_KEYDOWN ? IDCANCEL : IDOK);
        EXPECT_EQ(dialog.folder.Read(kSettingsFile), saves ? "1;1;1;0;0;0;0;0;1;0;" : "<missing>");
        EXPECT_EQ(dialog.folder.Read(kFilesToBackupFile), sources);
        EXPECT_EQ(dialog.prompt.shown.size(), accepted ? 0u : 1u);
        EXPECT_EQ(dialog.endStatus, saves ? 0 : -1);
        EXPECT_EQ(dialog.shell.starts.empty() ? "none" : dialog.shell.starts[0].first,
                  saves && message == WM_COMMAND ? dialog.folder.PathOf(kBackupBatchFile) : "none");
    }
}

// Loading can fail only where the reading rules do not reach (out of memory):
// the user is told, and the program ends without a save that would write the
// half-filled window over the store.
TEST(DialogStart, FailedLoadEndsWithoutSaving)
{
    TestDialog dialog;
    dialog.folder.Write({{kSettingsFile, "0;"}});
    dialog.beforeInit = [](TestDialog&) { throw std::bad_alloc(); };
    dialog.Run([](TestDialog&) {});
    EXPECT_EQ(dialog.prompt.shown,
              std::vector<Message>{Error("Error Cannot Load Settings From " + dialog.folder.Path() +
                                         " \nDetails:Nothing was changed")});
    EXPECT_EQ(dialog.endStatus, 1);
    EXPECT_EQ(dialog.folder.Read(kSettingsFile), "0;");
}

} // namespace
