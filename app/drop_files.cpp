#include "app/drop_files.h"

#include "platform/win32/system_function.h"

#include <shellapi.h>

std::vector<std::string> TakeDroppedPaths(HDROP drop)
{
    static const auto query =
        platform::SystemFunction<decltype(&DragQueryFileA)>("shell32.dll", "DragQueryFileA");
    static const auto finish =
        platform::SystemFunction<decltype(&DragFinish)>("shell32.dll", "DragFinish");
    std::vector<std::string> paths;
    if (query == nullptr || finish == nullptr)
        return paths;
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i)
    {
        std::string path(query(drop, i, nullptr, 0), '\0');
        query(drop, i, path.data(), static_cast<UINT>(path.size() + 1));
        paths.push_back(std::move(path));
    }
    finish(drop);
    return paths;
}

void LetDropsThrough(HWND window)
{
    using Filter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const auto filter =
        platform::SystemFunction<Filter>("user32.dll", "ChangeWindowMessageFilterEx");
    if (filter == nullptr)
        return;
    // WM_COPYGLOBALDATA (0x0049) carries the dropped names across.
    constexpr DWORD kAllow = 1; // MSGFLT_ALLOW
    for (const UINT message : {UINT{WM_DROPFILES}, UINT{WM_COPYDATA}, UINT{0x0049}})
        filter(window, message, kAllow, nullptr);
}
