#include "widgets/artwork.h"

#include "framework/win_app.h"

#include <iterator>

namespace
{

constexpr int kPercents[] = {100, 125, 150, 200};

// A 24-bit picture: a 32-bit one would be drawn through its alpha channel.
HBITMAP MakeBitmap(int width, int height)
{
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

} // namespace

int ArtworkPercent(UINT dpi)
{
    for (const int percent : kPercents)
        if (static_cast<UINT>(percent) * USER_DEFAULT_SCREEN_DPI >= dpi * 100)
            return percent;
    return kPercents[std::size(kPercents) - 1];
}

HBITMAP LoadArtwork(UINT id, UINT dpi, int frames)
{
    const int percent = ArtworkPercent(dpi);
    UINT copyId = id;
    for (const int step : kPercents)
        if (step < percent)
            copyId += kArtworkScaleStep;
    const auto copy = static_cast<HBITMAP>(LoadImageA(
        AfxGetInstanceHandle(), MAKEINTRESOURCEA(copyId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    BITMAP size{};
    if (copy == nullptr || GetObjectA(copy, sizeof size, &size) == 0)
        return copy;
    // The copy's size at 96 DPI, times the DPI, as the copies themselves round.
    const int copyFrame = size.bmWidth / frames;
    const int frame = MulDiv(copyFrame, static_cast<int>(dpi) * 100, 96 * percent);
    const int height = MulDiv(size.bmHeight, static_cast<int>(dpi) * 100, 96 * percent);
    const HBITMAP scaled = frame == copyFrame && height == size.bmHeight
                               ? nullptr
                               : MakeBitmap(frame * frames, height);
    if (scaled == nullptr)
        return copy;
    const HDC from = CreateCompatibleDC(nullptr);
    const HDC to = CreateCompatibleDC(nullptr);
    const HGDIOBJ fromBefore = SelectObject(from, copy);
    const HGDIOBJ toBefore = SelectObject(to, scaled);
    SetStretchBltMode(to, HALFTONE);
    SetBrushOrgEx(to, 0, 0, nullptr);
    for (int i = 0; i < frames; ++i)
        StretchBlt(to, i * frame, 0, frame, height, from, i * copyFrame, 0, copyFrame,
                   size.bmHeight, SRCCOPY);
    SelectObject(from, fromBefore);
    SelectObject(to, toBefore);
    DeleteDC(from);
    DeleteDC(to);
    DeleteObject(copy);
    return scaled;
}

void CentreAcross(HWND control, int left, int right)
{
    RECT at{};
    GetWindowRect(control, &at);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&at), 2);
    SetWindowPos(control, nullptr, (left + right - (at.right - at.left)) / 2, at.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CArtwork::Show(UINT id, UINT dpi)
{
    const HBITMAP picture = LoadArtwork(id, dpi);
    if (picture == nullptr)
        return FALSE;
    SetBitmap(picture);
    m_bitmap.Attach(picture);
    return TRUE;
}
