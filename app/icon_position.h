#pragma once

#include <windows.h>

// Where the minimised window draws its icon: centred in the client area,
// rounding up, with the offset truncated toward zero when the icon is wider.
POINT MinimisedIconPosition(const RECT& client, int iconWidth, int iconHeight);
