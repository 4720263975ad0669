#include "widgets/folder_dialog.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace
{
using Sent = std::tuple<UINT, WPARAM, std::string>;
std::vector<Sent> g_sent;

// Stands in for the shell's browser: records what the picker sends it.
LRESULT CALLBACK RecordingBrowser(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message < WM_USER)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    g_sent.emplace_back(message, wParam, reinterpret_cast<const char*>(lParam));
    return 0;
}

using ItemList = std::unique_ptr<ITEMIDLIST, decltype(&ILFree)>;
ItemList KnownFolder(int csidl)
{
    LPITEMIDLIST pidl = nullptr;
    SHGetSpecialFolderLocation(nullptr, csidl, &pidl);
    return ItemList(pidl, &ILFree);
}
} // namespace

// The shell's notifications, as the browser would make them, and what the picker answers.
TEST(FolderDialog, CallbackAnswersEachNotificationAndSendsWhatItShows)
{
    const ItemList folder = KnownFolder(CSIDL_WINDOWS);
    const ItemList computer = KnownFolder(CSIDL_DRIVES); // no file-system path
    char path[MAX_PATH] = {};
    ASSERT_TRUE(SHGetPathFromIDListA(folder.get(), path));
    const auto dir = reinterpret_cast<LPARAM>(folder.get());
    const auto pc = reinterpret_cast<LPARAM>(computer.get());
    char typed[] = "no such folder";
    const std::string longest(MAX_PATH - 1, 'a');
    const std::string tooLong = longest + 'a';
    const UINT fs = BIF_RETURNONLYFSDIRS;
    const UINT st = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    struct Case
    {
        const char* initialFolder;
        UINT flags;
        UINT message;
        LPARAM lParam;
        int result;
        std::vector<Sent> sent;
    };
    const Case cases[] = {
        {nullptr, st, BFFM_INITIALIZED, 0, 0, {}},
        {"", st, BFFM_INITIALIZED, 0, 0, {}},
        {longest.c_str(), fs, BFFM_INITIALIZED, 0, 0, {{BFFM_SETSELECTIONA, TRUE, longest}}},
        {tooLong.c_str(), fs, BFFM_INITIALIZED, 0, 0, {}},
        {"", fs, BFFM_SELCHANGED, dir, 0, {}},
        {"", st, BFFM_SELCHANGED, dir, 0, {{BFFM_SETSTATUSTEXTA, 0, path}}},
        {"", st, BFFM_SELCHANGED, pc, 0, {}},
        {"", st, BFFM_VALIDATEFAILEDA, LPARAM(typed), 1, {}},
        {"", st, BFFM_VALIDATEFAILEDW, LPARAM(typed), 0, {}},
        {"", st, BFFM_IUNKNOWN, 0, 0, {}},
    };
    HWND browser =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(browser, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingBrowser));
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "message " << c.message << " flags " << c.flags);
        CFolderDialog dialog("Backup To:", c.initialFolder, nullptr, c.flags);
        g_sent.clear();

        EXPECT_EQ(c.result, CFolderDialog::BrowseCallbackProc(browser, c.message, c.lParam,
                                                              reinterpret_cast<LPARAM>(&dialog)));
        EXPECT_EQ(nullptr, dialog.m_hBrowseWnd);
        EXPECT_EQ(c.sent, g_sent);
    }
    DestroyWindow(browser);
}
