#pragma once

#include "framework/controls.h"
#include "framework/gdi.h"

#include <windows.h>

// An owner-drawn push button painted from one bitmap strip of three equal
// frames, left to right: normal, pressed, and hover while the pointer rests on
// it; with the focus rectangle when it has the focus. Under high contrast it
// is a plain push button in the system's colours, its window text on it.
class CHoverButton : public CBitmapButton
{
    DECLARE_DYNAMIC(CHoverButton)

  public:
    CHoverButton();

    // Loads the strip for `dpi` (widgets/artwork.h) and sizes the button to
    // one frame; needs the button window. FALSE when the strip does not load:
    // the button keeps the size it has.
    BOOL LoadFrameStrip(UINT nBitmapId, UINT dpi);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

  protected:
    BOOL m_bHovering;
    int m_nFrameWidth;
    int m_nFrameHeight;
    CBitmap m_bmpFrames;
    BOOL m_bTrackingMouse;
    CToolTipCtrl m_toolTip;

    void Draw(const DRAWITEMSTRUCT& request, bool highContrast);
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseHover(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

  private:
    void EnsureToolTip();
};
