#include "res/resource.h"
#include "widgets/hover_button.h"

#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>
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
    using CHoverButton::Draw;
    BOOL Tracking() const { return m_bTrackingMouse; }
    HBITMAP Strip() const { return m_bmpFrames; }
};

} // namespace

// The button takes the size of one frame of its strip and draws the frame of
// its state, and nothing beside it: pressed wins over hover, the focus
// rectangle is drawn over it, and there is no disabled look. Each
// stay of the pointer is tracked once, and the button repaints when the hover
// begins and ends. Under high contrast it is a push button in the system's
// colours.
TEST(HoverButton, DrawsTheFrameOfItsState)
{
    const HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 800, 300,
                                      nullptr, nullptr, nullptr, nullptr);
    ProbedHoverButton button;
    button.SubclassWindow(CreateWindowA("BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 20, 30,
                                        60, 20, parent, nullptr, nullptr, nullptr));
    ASSERT_TRUE(button.LoadFrameStrip(IDB_BACKUP_NOW, USER_DEFAULT_SCREEN_DPI));
    BITMAP size{};
    GetObjectA(button.Strip(), sizeof size, &size);
    const int width = size.bmWidth / 3, height = size.bmHeight;
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
        const std::vector<DWORD> drawn = Pixels(width + 1, height, [&](HDC dc) {
            DRAWITEMSTRUCT request{ODT_BUTTON, 0,      0, ODA_DRAWENTIRE, state, button.m_hWnd,
                                   dc,         client, 0};
            button.DrawItem(&request);
        });
        EXPECT_EQ((state & ODS_FOCUS) != 0, drawn != frame(index));
    }
    const std::vector<DWORD> contrast = Pixels(width, height, [&](HDC dc) {
        DRAWITEMSTRUCT request{ODT_BUTTON, 0, 0, ODA_DRAWENTIRE, 0, button.m_hWnd, dc, client, 0};
        button.Draw(request, true);
    });
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(RGB(GetBValue(face), GetGValue(face), GetRValue(face)),
              contrast[height / 2 * width + 4] & 0xFFFFFF);
    // The last move asked the system again for both notices.
    TRACKMOUSEEVENT asked{sizeof(asked), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(_TrackMouseEvent(&asked));
    EXPECT_EQ(std::make_pair(DWORD(TME_HOVER | TME_LEAVE), button.m_hWnd),
              std::make_pair(asked.dwFlags, asked.hwndTrack));
    DestroyWindow(parent);
}
