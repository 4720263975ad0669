#pragma once

#include <string>
#include <windows.h>

// Every test companion and the batch recorder append one line per event to
// one log in the harness folder, stamped with the process creation time so
// that a case can tell in which order the program started them, whatever
// order their writes reach the disk in.
namespace e2e
{

inline constexpr const wchar_t* kHarnessFolder = L"C:\\e2e";

// Appends "kind name value time": kind is "started" or "ended", value the show
// state a started process was given or the exit status of an ended batch.
inline void AppendStartRecord(const std::wstring& kind, const std::wstring& name, long value)
{
    FILETIME creation{}, exitTime{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    const unsigned long long time =
        (static_cast<unsigned long long>(creation.dwHighDateTime) << 32) | creation.dwLowDateTime;
    const std::wstring line =
        kind + L" " + name + L" " + std::to_wstring(value) + L" " + std::to_wstring(time) + L"\r\n";
    char bytes[512];
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                         bytes, sizeof bytes, nullptr, nullptr);
    // Wine's appending handles seek and write in two steps, so two writers at
    // once can lose a line: one writer at a time holds the log, the others wait.
    HANDLE log = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 500 && log == INVALID_HANDLE_VALUE; ++attempt)
    {
        log = CreateFileW(L"C:\\e2e\\starts.log", FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log == INVALID_HANDLE_VALUE && GetLastError() != ERROR_SHARING_VIOLATION)
            return;
        if (log == INVALID_HANDLE_VALUE)
            Sleep(10);
    }
    DWORD written = 0;
    WriteFile(log, bytes, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(log);
}

// The show state this process was started with, -1 when none was given.
inline long OwnShowState()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
}

} // namespace e2e
