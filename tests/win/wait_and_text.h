#pragma once

#include <filesystem>
#include <string>
#include <windows.h>

// Runs the messages waiting for this thread; with a dialog, through its
// keyboard handling as its own loop does.
inline void Pump(HWND dialog = nullptr)
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (dialog != nullptr && IsDialogMessageA(dialog, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Whether `condition` came to hold within `timeoutMs`. What is awaited happens
// on another thread or in another process, so a bounded poll is the only
// honest wait; meanwhile this thread's messages run, as a window it shows
// needs them to.
template <class Condition>
bool WaitFor(Condition condition, DWORD timeoutMs = 20000, HWND dialog = nullptr)
{
    for (const ULONGLONG deadline = GetTickCount64() + timeoutMs; !condition();)
    {
        if (GetTickCount64() >= deadline)
            return false;
        Pump(dialog);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return true;
}

// The text of a dialog's control, in UTF-8; WM_GETTEXT reads it in this
// process or in another.
inline std::string Text(HWND control)
{
    std::wstring text(GetWindowTextLengthW(control) + 1, L'\0');
    text.resize(GetWindowTextW(control, text.data(), static_cast<int>(text.size())));
    return std::filesystem::path(text).u8string();
}

inline std::string Text(HWND window, int id)
{
    return Text(GetDlgItem(window, id));
}
