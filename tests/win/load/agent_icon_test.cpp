// The agent's icon in the notification area, in-process with Wine's tray: it
// is there while a condition holds, comes back when the taskbar is made
// again, and a click or the keyboard opens the report behind it.
#include "load/agent_icon.h"
#include "load/agent_worker.h"
#include "tests/native/support/install.h"
#include "tests/win/wait_and_text.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <shellapi.h>
#include <vector>

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

// The texts of the tray's tooltips: Wine's tray keeps one for each icon in
// its own process, where the text is read through memory lent there.
std::vector<std::wstring> TrayTips()
{
    std::vector<std::wstring> texts;
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr));)
    {
        DWORD id = 0;
        GetWindowThreadProcessId(tip, &id);
        const HANDLE process =
            id == GetCurrentProcessId()
                ? nullptr
                : OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
        if (!process)
            continue;
        constexpr std::size_t kChars = 256;
        auto* lent = static_cast<char*>(VirtualAllocEx(
            process, nullptr, sizeof(TTTOOLINFOW) + kChars * 2, MEM_COMMIT, PAGE_READWRITE));
        const LRESULT count = SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0);
        for (LRESULT tool = 0; lent && tool < count; ++tool)
        {
            TTTOOLINFOW info{};
            info.cbSize = sizeof info;
            info.lpszText = reinterpret_cast<wchar_t*>(lent + sizeof info);
            wchar_t text[kChars] = {};
            WriteProcessMemory(process, lent, &info, sizeof info, nullptr);
            WriteProcessMemory(process, lent + sizeof info, text, sizeof text, nullptr);
            if (SendMessageW(tip, TTM_ENUMTOOLSW, tool, reinterpret_cast<LPARAM>(lent)) &&
                ReadProcessMemory(process, lent + sizeof info, text, sizeof text, nullptr))
                texts.emplace_back(text);
        }
        if (lent)
            VirtualFreeEx(process, lent, 0, MEM_RELEASE);
        CloseHandle(process);
    }
    return texts;
}

} // namespace

TEST(AgentIcon, ThereWhileAConditionHoldsAndOpensItsReport)
{
    Install profile;
    AgentWorker worker;
    const HWND window = CreateWindowExW(0, L"STATIC", L"agent", WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                                        nullptr, nullptr, nullptr);
    {
        AgentIcon icon(window, worker, nullptr, profile.Path(), profile.shell);
        icon.Show();
        EXPECT_FALSE(InTray(window));
        EXPECT_EQ(std::nullopt, icon.NextWake());

        icon.Destination("E:\\Backup", {agent::DestinationState::Away, {}}, 2);
        icon.Show();
        EXPECT_TRUE(InTray(window));
        EXPECT_EQ(
            std::vector<std::wstring>{L"2 saved files wait for your backup folder E:\\Backup."},
            TrayTips());
        ASSERT_TRUE(worker.WaitIdle(std::chrono::seconds(10)));
        EXPECT_EQ("\xEF\xBB\xBF"
                  "2 saved files wait for your backup folder E:\\Backup.\r\n",
                  profile.Read("Corvane Backup\\reports\\saves waiting.txt"));

        // A tooltip holds 127 characters: a longer text is cut, and says so.
        icon.Destination("E:\\" + std::string(150, 'd'), {agent::DestinationState::Away, {}}, 2);
        icon.Show();
        const std::vector<std::wstring> cut = TrayTips();
        ASSERT_EQ(1u, cut.size());
        EXPECT_EQ(127u, cut[0].size());
        EXPECT_EQ(L'\u2026', cut[0].back());

        // Explorer started again: its new taskbar has no icon until told.
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof data;
        data.hWnd = window;
        data.uID = NotifyIcon::kId;
        ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
        EXPECT_TRUE(icon.OnMessage(NotifyIcon::TaskbarCreated(), 0));
        EXPECT_TRUE(InTray(window));

        for (const UINT event : {NIN_SELECT, NIN_KEYSELECT})
            EXPECT_TRUE(icon.OnMessage(NotifyIcon::kMessage, MAKELPARAM(event, NotifyIcon::kId)));
        const std::string report = profile.PathOf("Corvane Backup\\reports\\saves waiting.txt");
        EXPECT_EQ((Starts{{report, kShowNormal}, {report, kShowNormal}}), profile.shell.starts);

        icon.Destination("E:\\Backup", {agent::DestinationState::There, "E:\\Backup"}, 0);
        icon.Show();
        EXPECT_FALSE(InTray(window));
    }
    DestroyWindow(window);
}
