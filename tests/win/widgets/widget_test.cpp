#include "res/resource.h"
#include "widgets/folder_dialog.h"
#include "widgets/hover_button.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace
{

// The pixels of a black 32-bit bitmap after `paint` drew into it.
std::vector<DWORD> Pixels(int width, int height, const std::function<void(HDC)>& paint)
{
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(dc, bitmap);
    paint(dc);
    GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + width * height);
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

class ProbedHoverButton : public CHoverButton
{
  public:
    BOOL Tracking() const { return m_bTrackingMouse; }
    HBITMAP Strip() const { return m_bmpFrames; }
};

} // namespace

// The button takes the size of one frame of its strip and draws the frame of
// its state, and nothing beside it: pressed wins over hover, and the focus
// and disabled looks are never drawn. Each stay of the pointer is tracked
// once, and the button repaints when the hover begins and ends.
TEST(HoverButton, DrawsTheFrameOfItsState)
{
    const HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 800, 300,
                                      nullptr, nullptr, nullptr, nullptr);
    ProbedHoverButton button;
    button.SubclassWindow(CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 20, 30,
                                        60, 20, parent, nullptr, nullptr, nullptr));
    ASSERT_TRUE(button.LoadFrameStrip(IDB_BACKUP_NOW));
    BITMAP size{};
    GetObjectA(button.Strip(), sizeof size, &size);
    const int width = size.bmWidth / 3;
    const int height = size.bmHeight;
    RECT client{};
    GetClientRect(button.m_hWnd, &client);
    EXPECT_EQ(std::make_pair(LONG(width), LONG(height)),
              std::make_pair(client.right, client.bottom));

    const auto frame = [&](int index) {
        return Pixels(width + 1, height, [&](HDC dc) {
            const HDC source = CreateCompatibleDC(dc);
            const HGDIOBJ previous = SelectObject(source, button.Strip());
            BitBlt(dc, 0, 0, width, height, source, index * width, 0, SRCCOPY);
            SelectObject(source, previous);
            DeleteDC(source);
        });
    };
    ASSERT_TRUE(frame(0) != frame(1) && frame(1) != frame(2) && frame(2) != frame(0));
    POINT centre{width / 2, height / 2};
    ClientToScreen(button.m_hWnd, &centre);
    SetCursorPos(centre.x, centre.y);
    const int normal = 0, pressed = 1, hover = 2;
    const std::tuple<UINT, UINT, BOOL, int> steps[] = {
        {WM_MOUSEMOVE, 0, TRUE, normal},
        {WM_MOUSEMOVE, ODS_SELECTED | ODS_FOCUS, TRUE, pressed},
        {WM_MOUSEHOVER, 0, TRUE, hover},
        {WM_MOUSEMOVE, ODS_SELECTED, TRUE, pressed},
        {WM_NULL, ODS_FOCUS | ODS_DISABLED, TRUE, hover},
        {WM_MOUSELEAVE, 0, FALSE, normal},
        {WM_MOUSEMOVE, ODS_DISABLED, TRUE, normal},
    };
    for (const auto& [message, state, tracking, index] : steps)
    {
        SCOPED_TRACE(testing::Message() << "message " << message << " state " << state);
        ValidateRect(button.m_hWnd, nullptr);
        SendMessageA(button.m_hWnd, message, 0, MAKELPARAM(5, 2));
        EXPECT_EQ(tracking, button.Tracking());
        EXPECT_EQ(message == WM_MOUSEHOVER || message == WM_MOUSELEAVE,
                  GetUpdateRect(button.m_hWnd, nullptr, FALSE) != FALSE);
        EXPECT_TRUE(frame(index) == Pixels(width + 1, height, [&](HDC dc) {
                        DRAWITEMSTRUCT request{
                            ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, state, button.m_hWnd, dc, client, 0};
                        button.DrawItem(&request);
                    }));
    }
    // The last move asked the system again for both notices.
    TRACKMOUSEEVENT asked{sizeof(asked), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(_TrackMouseEvent(&asked));
    EXPECT_EQ(std::make_pair(DWORD(TME_HOVER | TME_LEAVE), button.m_hWnd),
              std::make_pair(asked.dwFlags, asked.hwndTrack));
    DestroyWindow(parent);
}

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

} // namespace

// The shell's notifications, as the browser would make them, and what the
// picker answers: the initial folder selected when it can be a path, the
// status text only when asked for and only for a path, a typed name that is
// no folder keeps the browser open.
TEST(FolderDialog, CallbackAnswersEachNotificationAndSendsWhatItShows)
{
    LPITEMIDLIST folder = nullptr;
    char path[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetSpecialFolderLocation(nullptr, CSIDL_WINDOWS, &folder));
    ASSERT_TRUE(SHGetPathFromIDListA(folder, path));
    const auto dir = reinterpret_cast<LPARAM>(folder);
    char typed[] = "no such folder";
    const std::string longest(MAX_PATH - 1, 'a');
    const std::string tooLong = longest + 'a';
    const UINT fs = BIF_RETURNONLYFSDIRS;
    const UINT st = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    const std::tuple<const char*, UINT, UINT, LPARAM, int, std::vector<Sent>> cases[] = {
        {longest.c_str(), fs, BFFM_INITIALIZED, 0, 0, {{BFFM_SETSELECTIONA, TRUE, longest}}},
        {tooLong.c_str(), fs, BFFM_INITIALIZED, 0, 0, {}},
        {"", fs, BFFM_SELCHANGED, dir, 0, {}},
        {"", st, BFFM_SELCHANGED, dir, 0, {{BFFM_SETSTATUSTEXTA, 0, path}}},
        {"", st, BFFM_VALIDATEFAILEDA, LPARAM(typed), 1, {}},
    };
    const HWND browser =
        CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetWindowLongPtrA(browser, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingBrowser));
    for (const auto& [initialFolder, flags, message, lParam, result, sent] : cases)
    {
        SCOPED_TRACE(testing::Message() << "message " << message << " flags " << flags);
        CFolderDialog dialog("Backup To:", initialFolder, nullptr, flags);
        g_sent.clear();
        EXPECT_EQ(result, CFolderDialog::BrowseCallbackProc(browser, message, lParam,
                                                            reinterpret_cast<LPARAM>(&dialog)));
        EXPECT_EQ(nullptr, dialog.m_hBrowseWnd);
        EXPECT_EQ(sent, g_sent);
    }
    DestroyWindow(browser);
    ILFree(folder);
}
