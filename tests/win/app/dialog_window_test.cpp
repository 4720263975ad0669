// The window itself: its system menu, the About box, the minimised icon, the
// ways it ends and the commands it hands to the shell.
#include "app/icon_position.h"
#include "tests/win/app/dialog_harness.h"

#include <gtest/gtest.h>

namespace
{

TEST(MinimisedIcon, CentredWithTheOffsetTruncatedTowardZero)
{
    struct Case
    {
        RECT client;
        POINT expected;
    };
    const Case cases[] = {
        {{0, 0, 36, 36}, {2, 2}},
        {{0, 0, 30, 36}, {0, 2}},
        {{0, 0, 20, 33}, {-5, 1}},
    };
    for (const Case& c : cases)
    {
        const POINT at = MinimisedIconPosition(c.client, 32, 32);
        EXPECT_EQ(at.x, c.expected.x) << c.client.right;
        EXPECT_EQ(at.y, c.expected.y) << c.client.bottom;
    }
}

TEST(SystemMenu, EndsWithASeparatorAndTheAboutItem)
{
    DialogFixture f;
    f.dialog.Run([](TestDialog& d) {
        const HMENU menu = GetSystemMenu(d.m_hWnd, FALSE);
        const int count = GetMenuItemCount(menu);
        ASSERT_GE(count, 2);
        EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);
        EXPECT_EQ(GetMenuItemID(menu, count - 1), 0x0010u);
        char text[64] = {};
        GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "&About Corvane Backup...");
    });
}

// Closes the About box when it appears and counts how often it did.
int aboutBoxesSeen = 0;

BOOL CALLBACK CloseAboutBox(HWND window, LPARAM)
{
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (std::string(caption) != "About Corvane Backup" || !IsWindowVisible(window))
        return TRUE;
    ++aboutBoxesSeen;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK LookForAboutBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!EnumThreadWindows(GetCurrentThreadId(), CloseAboutBox, 0))
        KillTimer(nullptr, timer);
}

TEST(SystemMenu, AboutCommandOpensTheAboutBoxWhateverItsLowBits)
{
    for (const auto& [command, opens] : {std::pair{0x0010, 1}, {0x0013, 1}, {0x0020, 0}})
    {
        DialogFixture f;
        aboutBoxesSeen = 0;
        f.dialog.Run([command = command](TestDialog& d) {
            const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForAboutBox);
            d.SendMessage(WM_SYSCOMMAND, command, 0);
            KillTimer(nullptr, timer);
        });
        EXPECT_EQ(aboutBoxesSeen, opens) << command;
        EXPECT_EQ(f.dialog.processEnded, false);
    }
}

TEST(DialogEnd, EscEndsWithoutSaving)
{
    DialogFixture f;
    const int result = f.dialog.Run([](TestDialog& d) {
        d.Click(IDC_AUTO_ON_SHUTDOWN);
        d.Click(IDC_AUTO_ON_SHUTDOWN);
        PostMessageA(d.Item(IDC_SOURCE_LIST), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(f.dialog.processEnded);
    for (const char* name : {kSettingsFile, kModBatchFile, kCatalogedMarker})
        EXPECT_FALSE(f.folder.Exists(name)) << name;
    EXPECT_EQ(f.folder.Read(kDataFile), "");
    EXPECT_EQ(f.folder.Read(kFilesToBackupFile), "");
}

TEST(DialogEnd, CloseSavesTheSelectionAndEnds)
{
    DialogFixture f;
    f.folder.Write(kFilesToBackupFile, "C:\\Data\r\n");
    f.folder.Write(kDataFile, "E:\\Backup");
    f.dialog.Run([](TestDialog& d) { d.PostMessage(WM_CLOSE); });
    EXPECT_TRUE(f.dialog.processEnded);
    EXPECT_EQ(f.folder.Read(kSettingsFile), "1;1;1;0;0;0;0;0;1;0;");
    EXPECT_EQ(f.folder.Read(kEnableAutoMarker), "");
    EXPECT_TRUE(f.folder.Exists(kModBatchFile));
    EXPECT_EQ(f.folder.Read(kFilesToBackupFile), "C:\\Data\r\n");
    EXPECT_EQ(f.folder.Read(kDataFile), "E:\\Backup");
}

TEST(DialogEnd, CloseWithARejectedSourceStaysOpen)
{
    DialogFixture f;
    f.folder.Write(kFilesToBackupFile, "E:\\Backup\r\n");
    f.folder.Write(kDataFile, "E:\\Backup");
    f.dialog.Run([](TestDialog& d) {
        d.SendMessage(WM_CLOSE);
        EXPECT_TRUE(IsWindowVisible(d.m_hWnd));
    });
    EXPECT_FALSE(f.dialog.processEnded);
    ASSERT_EQ(f.prompt.shown.size(), 1u);
    EXPECT_EQ(f.prompt.shown[0].caption, "ERROR");
}

TEST(ShellCommands, PagesAndTheDriveToolGoToTheShell)
{
    DialogFixture f;
    f.dialog.Run([](TestDialog& d) {
        d.Click(IDC_CHECK_UPDATES);
        d.Click(IDC_VIRTUAL_DRIVE);
    });
    const std::vector<std::pair<std::string, int>> started{
        {"http://www.example.com/updates/", kShowNormal},
        {f.PathOf(kVirtualDriveProgram), kShowHidden}};
    EXPECT_EQ(f.shell.started, started);
    EXPECT_FALSE(f.dialog.processEnded);
}

TEST(BackupNow, StartedRunSavesAndEnds)
{
    DialogFixture f;
    f.folder.Write(kFilesToBackupFile, "C:\\Data\r\n");
    f.folder.Write(kDataFile, f.folder.Path());
    f.dialog.Run([](TestDialog& d) { d.Click(IDC_BACKUP_NOW); });
    ASSERT_EQ(f.shell.started.size(), 2u);
    EXPECT_EQ(f.shell.started[0], std::pair(f.PathOf(kBackupBatchFile), kShowHidden));
    EXPECT_TRUE(f.dialog.processEnded);
    EXPECT_TRUE(f.folder.Exists(kSettingsFile));
}

TEST(BackupNow, RefusedRunStaysOpen)
{
    DialogFixture f;
    f.dialog.Run([](TestDialog& d) { d.Click(IDC_BACKUP_NOW); });
    const Message noDestination{"Please Select a Location to Backup To.", "Error", kStopType};
    EXPECT_EQ(f.prompt.shown, std::vector<Message>{noDestination});
    EXPECT_TRUE(f.shell.started.empty());
    EXPECT_FALSE(f.dialog.processEnded);
    EXPECT_FALSE(f.folder.Exists(kSettingsFile));
}

} // namespace
