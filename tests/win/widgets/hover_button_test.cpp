#include "widgets/hover_button.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace
{
// The strip that CMakeLists.txt writes: 538 x 5 pixels, three 179-pixel frames
// in the greys that loading maps to the 3-D colours, and a last column no frame reaches.
constexpr UINT kStrip = 200;
constexpr int kFrameWidth = 179;
constexpr int kFrameHeight = 5;

class ProbedHoverButton : public CHoverButton
{
  public:
    BOOL Hovering() const { return m_bHovering; }
    BOOL Tracking() const { return m_bTrackingMouse; }
    HWND ToolTip() const { return m_toolTip.m_hWnd; }
};

// Draws the button into a black bitmap wider than a frame. Gives the frame's colour when
// its corners and centre agree and nothing was drawn beside it, else CLR_INVALID.
COLORREF DrawnFrame(CHoverButton& button, UINT itemState)
{
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {
        sizeof(info.bmiHeader), kFrameWidth + 1, -kFrameHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HGDIOBJ previous =
        SelectObject(dc, CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    DRAWITEMSTRUCT request{ODT_BUTTON, 1008,          0,  ODA_DRAWENTIRE,
                           itemState,  button.m_hWnd, dc, {0, 0, kFrameWidth, kFrameHeight},
                           0};
    button.DrawItem(&request);
    COLORREF colour = GetPixel(dc, kFrameWidth / 2, kFrameHeight / 2);
    if (GetPixel(dc, 0, 0) != colour || GetPixel(dc, kFrameWidth - 1, kFrameHeight - 1) != colour ||
        GetPixel(dc, kFrameWidth, 0) != RGB(0, 0, 0))
        colour = CLR_INVALID;
    DeleteObject(SelectObject(dc, previous));
    DeleteDC(dc);
    return colour;
}

// A button at (20, 30) below a sibling made before it, with the strip loaded.
class HoverButtonTest : public testing::Test
{
  protected:
    HoverButtonTest()
    {
        CreateWindowA("BUTTON", "", WS_CHILD, 0, 0, 9, 9, m_parent, nullptr, nullptr, nullptr);
        m_button->SubclassWindow(CreateWindowA("BUTTON", "Backup Now",
                                               WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 20, 30, 60, 20,
                                               m_parent, nullptr, nullptr, nullptr));
        m_button->LoadFrameStrip(kStrip);
    }
    ~HoverButtonTest() override
    {
        m_button.reset();
        DestroyWindow(m_parent);
    }
    void Send(UINT message) { SendMessageA(m_button->m_hWnd, message, 0, MAKELPARAM(5, 2)); }

    HWND m_parent = CreateWindowA("STATIC", "", WS_POPUP, 100, 100, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
    std::unique_ptr<ProbedHoverButton> m_button = std::make_unique<ProbedHoverButton>();
};
} // namespace

TEST_F(HoverButtonTest, StripSizesTheButtonToOneFrameAtItsCornerOnTop)
{
    RECT rect{};
    GetWindowRect(m_button->m_hWnd, &rect);
    MapWindowPoints(nullptr, m_parent, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(std::make_tuple(20L, 30L, 20L + kFrameWidth, 30L + kFrameHeight),
              std::make_tuple(rect.left, rect.top, rect.right, rect.bottom));
    EXPECT_EQ(m_button->m_hWnd, GetWindow(m_parent, GW_CHILD));
}

// Pressed wins over hover; the focus and disabled looks are never drawn.
TEST_F(HoverButtonTest, MouseMessagesChooseTheFrame)
{
    // Only a shown window has an update region and lies under the pointer.
    ShowWindow(m_parent, SW_SHOWNA);
    POINT centre{kFrameWidth / 2, kFrameHeight / 2};
    ClientToScreen(m_button->m_hWnd, &centre);
    SetCursorPos(centre.x, centre.y);
    const COLORREF normal = GetSysColor(COLOR_3DFACE);
    const COLORREF pressed = GetSysColor(COLOR_3DSHADOW);
    const COLORREF hover = GetSysColor(COLOR_3DLIGHT);
    ASSERT_TRUE(normal != pressed && pressed != hover && hover != normal);
    struct Step
    {
        UINT message;
        UINT itemState;
        BOOL tracking;
        BOOL hovering;
        COLORREF frame;
    };
    const Step steps[] = {
        {WM_MOUSEMOVE, 0, TRUE, FALSE, normal},
        {WM_MOUSEMOVE, ODS_SELECTED | ODS_FOCUS, TRUE, FALSE, pressed},
        {WM_MOUSEHOVER, 0, TRUE, TRUE, hover},
        {WM_MOUSEMOVE, ODS_SELECTED, TRUE, TRUE, pressed},
        {WM_NULL, ODS_FOCUS | ODS_DISABLED, TRUE, TRUE, hover},
        {WM_MOUSELEAVE, 0, FALSE, FALSE, normal},
        {WM_NULL, ODS_DISABLED, FALSE, FALSE, normal},
        {WM_MOUSEMOVE, ODS_FOCUS, TRUE, FALSE, normal},
    };
    for (const Step& s : steps)
    {
        SCOPED_TRACE(testing::Message() << "message " << s.message << " state " << s.itemState);
        ValidateRect(m_button->m_hWnd, nullptr);
        Send(s.message);
        EXPECT_EQ(s.tracking, m_button->Tracking());
        EXPECT_EQ(s.hovering, m_button->Hovering());
        const bool repaint = s.message == WM_MOUSEHOVER || s.message == WM_MOUSELEAVE;
        EXPECT_EQ(repaint, GetUpdateRect(m_button->m_hWnd, nullptr, FALSE) != FALSE);
        EXPECT_EQ(s.frame, DrawnFrame(*m_button, s.itemState));
    }
    // The last move asked the system again for both notices.
    TRACKMOUSEEVENT asked{sizeof(asked), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(_TrackMouseEvent(&asked));
    EXPECT_EQ(static_cast<DWORD>(TME_HOVER | TME_LEAVE), asked.dwFlags);
    EXPECT_EQ(m_button->m_hWnd, asked.hwndTrack);
}

namespace
{
// The tooltip messages sent on this thread, each with the argument that matters.
std::vector<std::pair<UINT, LPARAM>> g_toolTipMessages;

LRESULT CALLBACK WatchToolTips(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (sent->message == TTM_ACTIVATE || sent->message == TTM_RELAYEVENT)
        g_toolTipMessages.emplace_back(sent->message, sent->message == TTM_ACTIVATE
                                                          ? static_cast<LPARAM>(sent->wParam)
                                                          : sent->lParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
} // namespace

TEST_F(HoverButtonTest, ToolTipIsMadeOnceInactiveAndGetsEveryMessage)
{
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchToolTips, nullptr, GetCurrentThreadId());
    MSG messages[] = {{m_button->m_hWnd, WM_MOUSEMOVE, 0, 0, 0, {}},
                      {m_button->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {}}};
    for (MSG& msg : messages)
        EXPECT_FALSE(m_button->PreTranslateMessage(&msg));
    UnhookWindowsHookEx(hook);

    const std::vector<std::pair<UINT, LPARAM>> expected = {
        {TTM_ACTIVATE, FALSE},
        {TTM_RELAYEVENT, reinterpret_cast<LPARAM>(&messages[0])},
        {TTM_RELAYEVENT, reinterpret_cast<LPARAM>(&messages[1])}};
    EXPECT_EQ(expected, g_toolTipMessages);
    const HWND toolTip = m_button->ToolTip();
    ASSERT_TRUE(IsWindow(toolTip));
    m_button.reset();
    EXPECT_FALSE(IsWindow(toolTip));
}
