#pragma once

#include <windows.h>

// Mirrors the strips that CMakeLists.txt writes into the test resources.
constexpr UINT kColourStrip = 200;
constexpr COLORREF kNormalColour = RGB(255, 0, 0);
constexpr COLORREF kPressedColour = RGB(0, 255, 0);
constexpr COLORREF kHoverColour = RGB(0, 0, 255);
constexpr COLORREF kLeftoverColour = RGB(255, 255, 0);
constexpr int kColourStripWidth = 538;
constexpr int kColourStripHeight = 5;

constexpr UINT kGreyStrip = 201;
constexpr int kGreyStripWidth = 537;
constexpr int kGreyStripHeight = 47;
