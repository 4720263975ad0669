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
    // Appending handles keep concurrent writers from overwriting each other's lines.
    HANDLE log =
        CreateFileW(L"C:\\e2e\\starts.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
