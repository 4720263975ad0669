#include "recording_window.h"
#include "test_strips.h"
#include "widgets/hover_button.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace
{
constexpr int kFrameWidth = kColourStripWidth / 3;
constexpr COLORREF kUntouched = RGB(1, 2, 3);
constexpr POINT kButtonCorner = {20, 30};
constexpr SIZE kTemplateSize = {60, 20};
constexpr UINT kMissingStrip = 299;

// Exposes the mouse state that the button keeps.
class ProbedHoverButton : public CHoverButton
{
  public:
    BOOL Hovering() const { return m_bHovering; }
    BOOL Tracking() const { return m_bTrackingMouse; }
};

// What one owner-draw request put into a memory bitmap wider than a frame.
class Drawing
{
  public:
    Drawing(CHoverButton& button, UINT itemState, int height)
        : m_dc(CreateCompatibleDC(nullptr)), m_height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_previous = SelectObject(m_dc, m_bitmap);
        HBRUSH untouched = CreateSolidBrush(kUntouched);
        RECT all{0, 0, kWidth, height};
        FillRect(m_dc, &all, untouched);
        DeleteObject(untouched);

        DRAWITEMSTRUCT request{ODT_BUTTON, 1008,          0,    ODA_DRAWENTIRE,
                               itemState,  button.m_hWnd, m_dc, {0, 0, kFrameWidth, height},
                               0};
        button.DrawItem(&request);
    }
    ~Drawing()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    // The one colour of the frame area, or kUntouched when it is not uniform.
    COLORREF FrameColour() const
    {
        const COLORREF first = GetPixel(m_dc, 0, 0);
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < kFrameWidth; ++x)
                if (GetPixel(m_dc, x, y) != first)
                    return kUntouched;
        return first;
    }
    COLORREF BeyondFrame() const { return GetPixel(m_dc, kFrameWidth, 0); }

  private:
    static constexpr int kWidth = kFrameWidth + 8;
    HDC m_dc;
    int m_height;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

COLORREF FrameColour(CHoverButton& button, UINT itemState)
{
    return Drawing(button, itemState, kColourStripHeight).FrameColour();
}

class HoverButtonTest : public ::testing::Test
{
  protected:
    HoverButtonTest()
    {
        m_before = CreateChild("before", 0);
        HWND hwnd = CreateChild("Backup Now", BS_OWNERDRAW | WS_TABSTOP);
        m_after = CreateChild("after", 0);
        m_button->SubclassWindow(hwnd);
    }
    ~HoverButtonTest() override
    {
        m_button.reset();
        DestroyWindow(m_parent.Handle());
    }

    HWND CreateChild(const char* text, DWORD style)
    {
        return CreateWindowA("BUTTON", text, WS_CHILD | WS_VISIBLE | style, kButtonCorner.x,
                             kButtonCorner.y, kTemplateSize.cx, kTemplateSize.cy, m_parent.Handle(),
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    // Only a shown window has an update region and lies under the pointer. Wine
    // waits a while for a shown window to go, so the other tests keep it hidden.
    void ShowParent() { ShowWindow(m_parent.Handle(), SW_SHOWNA); }
    void Send(UINT message) { SendMessageA(m_button->m_hWnd, message, 0, MAKELPARAM(5, 2)); }

    RecordingWindow m_parent;
    std::unique_ptr<ProbedHoverButton> m_button = std::make_unique<ProbedHoverButton>();
    HWND m_before;
    HWND m_after;
};
} // namespace

TEST_F(HoverButtonTest, StripSizesTheButtonKeepingItsCornerAndPutsItOnTop)
{
    ASSERT_NE(m_button->m_hWnd, GetWindow(m_parent.Handle(), GW_CHILD));

    EXPECT_TRUE(m_button->LoadFrameStrip(kColourStrip));

    RECT rect{};
    GetWindowRect(m_button->m_hWnd, &rect);
    MapWindowPoints(nullptr, m_parent.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(kButtonCorner.x, rect.left);
    EXPECT_EQ(kButtonCorner.y, rect.top);
    EXPECT_EQ(kFrameWidth, rect.right - rect.left);
    EXPECT_EQ(kColourStripHeight, rect.bottom - rect.top);
    EXPECT_EQ(m_button->m_hWnd, GetWindow(m_parent.Handle(), GW_CHILD));
}

// Drawing without a strip paints nothing, and a strip that does not load
// leaves the button as its template made it.
TEST_F(HoverButtonTest, MissingStripLeavesTheButtonAlone)
{
    EXPECT_EQ(kUntouched, FrameColour(*m_button, 0));

    EXPECT_TRUE(m_button->LoadFrameStrip(kMissingStrip));

    RECT rect{};
    GetClientRect(m_button->m_hWnd, &rect);
    EXPECT_EQ(kTemplateSize.cx, rect.right);
    EXPECT_EQ(kTemplateSize.cy, rect.bottom);
    EXPECT_EQ(kUntouched, FrameColour(*m_button, 0));
}

// Focus and disabled looks are never drawn; only pressed and hover choose the frame.
TEST_F(HoverButtonTest, PressedWinsOverHoverAndOtherStatesAreIgnored)
{
    m_button->LoadFrameStrip(kColourStrip);
    struct Case
    {
        bool hovering;
        UINT itemState;
        COLORREF frame;
    };
    const Case cases[] = {
        {false, 0, kNormalColour},
        {false, ODS_SELECTED, kPressedColour},
        {false, ODS_FOCUS, kNormalColour},
        {false, ODS_DISABLED, kNormalColour},
        {false, ODS_SELECTED | ODS_FOCUS, kPressedColour},
        {true, 0, kHoverColour},
        {true, ODS_SELECTED, kPressedColour},
        {true, ODS_FOCUS, kHoverColour},
        {true, ODS_DISABLED | ODS_FOCUS, kHoverColour},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.hovering << " " << c.itemState);
        Send(WM_MOUSELEAVE);
        if (c.hovering)
        {
            Send(WM_MOUSEMOVE);
            Send(WM_MOUSEHOVER);
        }
        Drawing drawing(*m_button, c.itemState, kColourStripHeight);
        EXPECT_EQ(c.frame, drawing.FrameColour());
        EXPECT_EQ(kUntouched, drawing.BeyondFrame());
    }
}

TEST_F(HoverButtonTest, MouseMessagesMoveThroughTheThreeStates)
{
    ShowParent();
    m_button->LoadFrameStrip(kColourStrip);

    Send(WM_MOUSEMOVE);
    EXPECT_TRUE(m_button->Tracking());
    EXPECT_FALSE(m_button->Hovering());
    EXPECT_EQ(kNormalColour, FrameColour(*m_button, 0));

    Send(WM_MOUSEMOVE);
    EXPECT_TRUE(m_button->Tracking());
    EXPECT_FALSE(m_button->Hovering());

    ValidateRect(m_button->m_hWnd, nullptr);
    Send(WM_MOUSEHOVER);
    EXPECT_TRUE(m_button->Hovering());
    EXPECT_TRUE(GetUpdateRect(m_button->m_hWnd, nullptr, FALSE));
    EXPECT_EQ(kHoverColour, FrameColour(*m_button, 0));
    EXPECT_EQ(kPressedColour, FrameColour(*m_button, ODS_SELECTED));
    EXPECT_EQ(kHoverColour, FrameColour(*m_button, 0));

    ValidateRect(m_button->m_hWnd, nullptr);
    Send(WM_MOUSELEAVE);
    EXPECT_FALSE(m_button->Tracking());
    EXPECT_FALSE(m_button->Hovering());
    EXPECT_TRUE(GetUpdateRect(m_button->m_hWnd, nullptr, FALSE));
    EXPECT_EQ(kNormalColour, FrameColour(*m_button, 0));

    Send(WM_MOUSEMOVE);
    EXPECT_TRUE(m_button->Tracking());
}

// With the real pointer the system itself reports the hover and the leave.
TEST_F(HoverButtonTest, RealPointerRestingAndLeaving)
{
    ShowParent();
    m_button->LoadFrameStrip(kColourStrip);
    POINT centre{kFrameWidth / 2, kColourStripHeight / 2};
    ClientToScreen(m_button->m_hWnd, &centre);
    auto pumpUntil = [](auto done) {
        const DWORD deadline = GetTickCount() + 5000;
        MSG msg;
        while (!done() && GetTickCount() < deadline)
        {
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
            Sleep(10);
        }
    };

    SetCursorPos(centre.x, centre.y);
    SendMessageA(m_button->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(kFrameWidth / 2, 1));
    pumpUntil([&] { return m_button->Hovering() == TRUE; });
    EXPECT_TRUE(m_button->Hovering());

    SetCursorPos(centre.x, centre.y + 200);
    pumpUntil([&] { return m_button->Tracking() == FALSE; });
    EXPECT_FALSE(m_button->Tracking());
    EXPECT_FALSE(m_button->Hovering());
}

TEST_F(HoverButtonTest, GreyFramesTakeTheSystemColours)
{
    m_button->LoadFrameStrip(kGreyStrip);

    RECT rect{};
    GetClientRect(m_button->m_hWnd, &rect);
    EXPECT_EQ(kGreyStripWidth / 3, rect.right);
    EXPECT_EQ(kGreyStripHeight, rect.bottom);
    EXPECT_EQ(GetSysColor(COLOR_3DFACE), Drawing(*m_button, 0, kGreyStripHeight).FrameColour());
    EXPECT_EQ(GetSysColor(COLOR_3DSHADOW),
              Drawing(*m_button, ODS_SELECTED, kGreyStripHeight).FrameColour());
    Send(WM_MOUSEMOVE);
    Send(WM_MOUSEHOVER);
    EXPECT_EQ(GetSysColor(COLOR_3DLIGHT), Drawing(*m_button, 0, kGreyStripHeight).FrameColour());
}

namespace
{
// Every message sent to a tooltip window of this thread.
std::vector<CWPSTRUCT> g_toolTipMessages;

LRESULT CALLBACK WatchToolTips(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char className[64] = {};
    GetClassNameA(sent->hwnd, className, sizeof(className));
    if (code == HC_ACTION && lstrcmpiA(className, TOOLTIPS_CLASSA) == 0)
        g_toolTipMessages.push_back(*sent);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK CollectToolTip(HWND hwnd, LPARAM lParam)
{
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    if (lstrcmpiA(className, TOOLTIPS_CLASSA) == 0)
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> ThreadToolTips()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectToolTip, reinterpret_cast<LPARAM>(&found));
    return found;
}
} // namespace

TEST_F(HoverButtonTest, ToolTipIsMadeOnceInactiveAndGetsEveryMessage)
{
    const HWND button = m_button->m_hWnd;
    ASSERT_TRUE(ThreadToolTips().empty());
    g_toolTipMessages.clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchToolTips, nullptr, GetCurrentThreadId());

    MSG messages[3] = {{button, WM_MOUSEMOVE, 0, 0, 0, {}},
                       {button, WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, {}},
                       {button, WM_LBUTTONUP, 0, 0, 0, {}}};
    for (MSG& msg : messages)
        EXPECT_FALSE(m_button->PreTranslateMessage(&msg));
    UnhookWindowsHookEx(hook);

    const std::vector<HWND> toolTips = ThreadToolTips();
    ASSERT_EQ(1u, toolTips.size());
    std::vector<std::pair<UINT, LPARAM>> expected = {{TTM_ACTIVATE, FALSE}};
    for (MSG& msg : messages)
        expected.push_back({TTM_RELAYEVENT, reinterpret_cast<LPARAM>(&msg)});
    std::vector<std::pair<UINT, LPARAM>> seen;
    for (const CWPSTRUCT& sent : g_toolTipMessages)
    {
        if (sent.hwnd != toolTips[0] ||
            (sent.message != TTM_ACTIVATE && sent.message != TTM_RELAYEVENT))
            continue;
        seen.push_back({sent.message, sent.message == TTM_ACTIVATE ? sent.wParam : sent.lParam});
    }
    EXPECT_EQ(expected, seen);

    m_button.reset();
    EXPECT_FALSE(IsWindow(toolTips[0]));
}
