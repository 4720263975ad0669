#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>
#include <windows.h>

// Runs a window modally: `look` runs in the window's own loop once it is up,
// and the window is closed after it unless `look` ended it. DoModal's result.
using RunWindow = std::function<int(const std::function<void(HWND)>& look)>;

// A picture the window sizes itself: its control, and its size at 96 DPI as
// res/make-artwork draws it (of one frame, for the "Backup Now" strip).
struct Artwork
{
    int control;
    SIZE at96;
};

// One of the programs' six windows, filled as a user sees it, with every
// text it may show at run time.
struct ProgramWindow
{
    const char* name;
    RunWindow run;
    // The texts the window sets at run time, each control's longest ones
    // beside those it shows when it opens.
    std::vector<std::pair<int, std::string>> longest;
    std::vector<Artwork> artwork;
};

const std::vector<ProgramWindow>& ProgramWindows();
