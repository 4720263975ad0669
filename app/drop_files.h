#pragma once

#include <string>
#include <vector>
#include <windows.h>

// The full paths of the files and folders a drop carries, in the order given,
// and the drop released.
std::vector<std::string> TakeDroppedPaths(HDROP drop);

// Lets a drop from Explorer through to the window. The program runs elevated
// and Explorer does not; Windows holds back messages from a lower process
// unless the window lets them in. Windows before 7 has no such filter per
// window, so the call is looked up, not linked.
void LetDropsThrough(HWND window);
