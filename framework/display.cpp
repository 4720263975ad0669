#include "framework/display.h"

#include "platform/win32/system_function.h"

namespace
{

// Looked up, not linked: both are missing before Windows 10 1607.
using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiCall = int(WINAPI*)(int, UINT);

UINT SystemDpi()
{
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

UINT WindowDpi(HWND hWnd)
{
    static const auto forWindow =
        platform::SystemFunction<GetDpiForWindowCall>("user32.dll", "GetDpiForWindow");
    const UINT dpi = forWindow != nullptr && hWnd != nullptr ? forWindow(hWnd) : 0;
    return dpi != 0 ? dpi : SystemDpi();
}

int ScaleToDpi(int length, UINT dpi)
{
    return MulDiv(length, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

int SystemMetricForDpi(int index, UINT dpi)
{
    static const auto forDpi = platform::SystemFunction<GetSystemMetricsForDpiCall>(
        "user32.dll", "GetSystemMetricsForDpi");
    if (forDpi != nullptr)
        return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

bool HighContrastOn()
{
    HIGHCONTRASTA contrast{sizeof contrast, 0, nullptr};
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}
