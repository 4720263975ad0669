#include "widgets/hover_button.h"

#include "framework/display.h"
#include "widgets/artwork.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CHoverButton, CBitmapButton)

BEGIN_MESSAGE_MAP(CHoverButton, CBitmapButton)
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_MESSAGE(WM_MOUSEHOVER, OnMouseHover)
END_MESSAGE_MAP()

namespace
{
enum Frame
{
    kNormalFrame = 0,
    kPressedFrame = 1,
    kHoverFrame = 2,
};
// The hover notice should follow as soon as the pointer stops on the button.
constexpr DWORD kHoverMilliseconds = 1;
} // namespace

// The frame size stays 0 until a strip is loaded, so an early draw paints nothing.
CHoverButton::CHoverButton()
    : m_bHovering(FALSE), m_nFrameWidth(0), m_nFrameHeight(0), m_bTrackingMouse(FALSE)
{
}

BOOL CHoverButton::LoadFrameStrip(UINT nBitmapId, UINT dpi)
{
    const HBITMAP strip = LoadArtwork(nBitmapId, dpi, 3);
    if (strip == nullptr)
        return FALSE;
    m_bmpFrames.Attach(strip);
    BITMAP size{};
    m_bmpFrames.GetBitmap(&size);
    m_nFrameWidth = size.bmWidth / 3;
    m_nFrameHeight = size.bmHeight;
    SetWindowPos(nullptr, 0, 0, m_nFrameWidth, m_nFrameHeight, SWP_NOMOVE | SWP_NOOWNERZORDER);
    return TRUE;
}

BOOL CHoverButton::PreTranslateMessage(MSG* pMsg)
{
    EnsureToolTip();
    m_toolTip.RelayEvent(pMsg);
    return CBitmapButton::PreTranslateMessage(pMsg);
}

void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    Draw(*lpDrawItemStruct, HighContrastOn());
}

// The strip has no disabled frame: the button is never disabled.
void CHoverButton::Draw(const DRAWITEMSTRUCT& request, bool highContrast)
{
    const HDC dc = request.hDC;
    const bool pressed = (request.itemState & ODS_SELECTED) != 0;
    RECT face = request.rcItem;
    if (highContrast)
    {
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
        const std::string text = GetWindowText();
        const HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(m_bHovering ? COLOR_HOTLIGHT : COLOR_BTNTEXT));
        DrawTextA(dc, text.c_str(), -1, &face, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(dc, font);
    }
    else
    {
        CDC target;
        target.Attach(dc);
        CDC memory;
        memory.CreateCompatibleDC(&target);
        HBITMAP previous = memory.SelectObject(&m_bmpFrames);
        const int frame = pressed ? kPressedFrame : m_bHovering ? kHoverFrame : kNormalFrame;
        target.BitBlt(0, 0, m_nFrameWidth, m_nFrameHeight, &memory, frame * m_nFrameWidth, 0,
                      SRCCOPY);
        memory.SelectObject(previous);
    }
    // Inside the green face of the frames, or the push button's edge.
    if ((request.itemState & ODS_FOCUS) != 0 && (request.itemState & ODS_NOFOCUSRECT) == 0)
    {
        InflateRect(&face, -m_nFrameHeight / 4, -m_nFrameHeight / 6);
        DrawFocusRect(dc, &face);
    }
}

// Asks for one hover and one leave notice per stay of the pointer; a refused
// request is tried again at the next move.
void CHoverButton::OnMouseMove(UINT, CPoint)
{
    if (!m_bTrackingMouse)
    {
        TRACKMOUSEEVENT request{sizeof(request), TME_HOVER | TME_LEAVE, m_hWnd, kHoverMilliseconds};
        m_bTrackingMouse = ::_TrackMouseEvent(&request);
    }
    Default();
}

// The pointer has left: the next move starts tracking again.
LRESULT CHoverButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bTrackingMouse = FALSE;
    m_bHovering = FALSE;
    InvalidateRect(nullptr, TRUE);
    return 0;
}

// The pointer rests on the button: show the hover frame.
LRESULT CHoverButton::OnMouseHover(WPARAM, LPARAM)
{
    m_bHovering = TRUE;
    InvalidateRect(nullptr, TRUE);
    return 0;
}

// The tooltip only receives relayed messages: it has no tools and stays inactive.
void CHoverButton::EnsureToolTip()
{
    if (m_toolTip.m_hWnd != nullptr)
        return;
    m_toolTip.Create(this, 0);
    m_toolTip.Activate(FALSE);
}
