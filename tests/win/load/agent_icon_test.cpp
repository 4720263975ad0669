// The agent's icon in the notification area, in-process with Wine's tray: it
// is there while a condition holds, comes back when the taskbar is made
// again, and a click or the keyboard opens the report behind it.
#include "load/agent_icon.h"
#include "load/agent_worker.h"
#include "tests/native/support/install.h"
#include "tests/win/wait_and_text.h"

#include <gtest/gtest.h>
#include <shellapi.h>

namespace
{

// Whether the tray holds the window's icon: only an icon it holds can be
// changed.
bool InTray(HWND window)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = NotifyIcon::kId;
    return Shell_NotifyIconW(NIM_MODIFY, &data);
}

// The window of Notepad that shows `report`, when there is one.
HWND ReportWindow(const std::wstring& report)
{
    struct Search
    {
        std::wstring name;
        HWND found = nullptr;
    } search{report};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            wchar_t caption[256] = {};
            GetWindowTextW(window, caption, 256);
            if (std::wstring(caption).find(search->name) != std::wstring::npos)
                search->found = window;
            return search->found == nullptr;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

} // namespace

TEST(AgentIcon, ThereWhileAConditionHoldsAndOpensItsReport)
{
    Install profile;
    AgentWorker worker;
    const HWND window = CreateWindowExW(0, L"STATIC", L"agent", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                                        nullptr, nullptr, nullptr);
    {
        AgentIcon icon(window, worker, nullptr, profile.Path());
        icon.Show();
        EXPECT_FALSE(InTray(window));
        EXPECT_EQ(std::nullopt, icon.NextWake());

        icon.Destination("E:\\Backup", {agent::DestinationState::Away, {}}, 2);
        icon.Show();
        EXPECT_TRUE(InTray(window));
        ASSERT_TRUE(worker.WaitIdle(std::chrono::seconds(10)));
        EXPECT_EQ("\xEF\xBB\xBF"
                  "2 saved files wait for your backup folder E:\\Backup.\r\n",
                  profile.Read("Corvane Backup\\reports\\saves waiting.txt"));

        // Explorer started again: its new taskbar has no icon until told.
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = window;
        data.uID = NotifyIcon::kId;
        ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
        EXPECT_TRUE(icon.OnMessage(NotifyIcon::TaskbarCreated(), 0));
        EXPECT_TRUE(InTray(window));

        for (const UINT event : {NIN_SELECT, NIN_KEYSELECT})
        {
            EXPECT_TRUE(icon.OnMessage(NotifyIcon::kMessage, MAKELPARAM(event, NotifyIcon::kId)));
            HWND shown = nullptr;
            EXPECT_TRUE(WaitFor([&shown] { return (shown = ReportWindow(L"saves waiting")); }))
                << event;
            PostMessageW(shown, WM_CLOSE, 0, 0);
            EXPECT_TRUE(WaitFor([] { return !ReportWindow(L"saves waiting"); }));
        }

        icon.Destination("E:\\Backup", {agent::DestinationState::There, "E:\\Backup"}, 0);
        icon.Show();
        EXPECT_FALSE(InTray(window));
    }
    DestroyWindow(window);
}
