#include "app/drop_files.h"

#include <shellapi.h>

std::vector<std::string> TakeDroppedPaths(HDROP drop)
{
    std::vector<std::string> paths;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i)
    {
        std::string path(DragQueryFileA(drop, i, nullptr, 0), '\0');
        DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(std::move(path));
    }
    DragFinish(drop);
    return paths;
}

void LetDropsThrough(HWND window)
{
    using Filter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const auto filter = reinterpret_cast<Filter>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilterEx")));
    if (filter == nullptr)
        return;
    // WM_COPYGLOBALDATA (0x0049) carries the dropped names across.
    constexpr DWORD kAllow = 1; // MSGFLT_ALLOW
    for (const UINT message : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, UINT{0x0049}})
        filter(window, message, kAllow, nullptr);
}
