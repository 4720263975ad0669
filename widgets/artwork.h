#pragma once

#include "framework/controls.h"
#include "framework/gdi.h"

// The program's pictures are drawn at 100%, 125%, 150% and 200% of their size
// (res/make-artwork). A picture's copies have the resource id of its 100% copy
// plus kArtworkScaleStep for each step up.
constexpr UINT kArtworkScaleStep = 1000;

// The scale, in percent, of the copy drawn for `dpi`: the smallest that is not
// smaller than the DPI's, else the largest.
int ArtworkPercent(UINT dpi);

// Picture `id`, of `frames` equal frames side by side, at `dpi`: its copy for
// that DPI, brought to exactly the DPI's size (each frame on its own) where the
// DPI lies between the scales or beyond them. Null when it does not load.
HBITMAP LoadArtwork(UINT id, UINT dpi, int frames = 1);

// Moves a control across, keeping its height, to the middle of the part of
// its parent's client area from `left` to `right`: the pictures follow the
// DPI exactly, the dialog's layout follows its font, which scales in steps.
void CentreAcross(HWND control, int left, int right);

// A picture control that shows one of the program's pictures.
class CArtwork : public CStatic
{
  public:
    // Shows picture `id` at `dpi` in place of the one shown before.
    BOOL Show(UINT id, UINT dpi);

  private:
    CBitmap m_bitmap;
};
