#include "widgets/hover_button.h"

#include "framework/win_app.h"

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

BOOL CHoverButton::LoadFrameStrip(UINT nBitmapId)
{
    // LR_LOADMAP3DCOLORS swaps the strip's greys for the current 3-D colours.
    auto strip = static_cast<HBITMAP>(::LoadImageA(AfxGetInstanceHandle(),
                                                   MAKEINTRESOURCEA(LOWORD(nBitmapId)),
                                                   IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    if (strip == nullptr)
        return FALSE;
    m_bmpFrames.Attach(strip);
    BITMAP size{};
    m_bmpFrames.GetBitmap(&size);
    // Columns beyond three whole frames are never shown.
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

// The focus and disabled states are not drawn: the strip is the whole look.
void CHoverButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // The button's context: attached, it stays the system's.
    CDC target;
    target.Attach(lpDrawItemStruct->hDC);
    CDC memory;
    memory.CreateCompatibleDC(&target);
    HBITMAP previous = memory.SelectObject(&m_bmpFrames);
    int frame = kNormalFrame;
    if (lpDrawItemStruct->itemState & ODS_SELECTED)
        frame = kPressedFrame;
    else if (m_bHovering)
        frame = kHoverFrame;
    target.BitBlt(0, 0, m_nFrameWidth, m_nFrameHeight, &memory, frame * m_nFrameWidth, 0, SRCCOPY);
    memory.SelectObject(previous);
    memory.DeleteDC();
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
