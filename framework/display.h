#pragma once

#include <windows.h>

// What the display asks of what the program sizes and paints itself. The
// programs are per-monitor aware: Windows scales the dialogs from their
// templates, and everything else follows the window's DPI from here.

// The DPI a window is shown at: its monitor's; the system's where Windows
// cannot say per window (before Windows 10 1607).
UINT WindowDpi(HWND hWnd);

// A length given for 96 DPI, at `dpi`.
int ScaleToDpi(int length, UINT dpi);

// A system metric at `dpi`: GetSystemMetricsForDpi where Windows has it; on
// older Windows the system's own metric, which is at the system DPI there,
// scaled.
int SystemMetricForDpi(int index, UINT dpi);

// The user asked for high contrast: what the program paints in its own
// colours takes the system's instead.
bool HighContrastOn();
