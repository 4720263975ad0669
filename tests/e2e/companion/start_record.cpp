#include "tests/e2e/companion/start_record.h"

#include <string>
#include <windows.h>

namespace e2e
{

namespace
{

unsigned long long OwnCreationTime()
{
    FILETIME creation{}, exitTime{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    return (static_cast<unsigned long long>(creation.dwHighDateTime) << 32) |
           creation.dwLowDateTime;
}

} // namespace

void AppendStartRecord(const std::wstring& kind, const std::wstring& name, long value)
{
    const std::wstring line = kind + L" " + name + L" " + std::to_wstring(value) + L" " +
                              std::to_wstring(OwnCreationTime()) + L"\r\n";
    char bytes[512];
    const int size = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()),
                                         bytes, sizeof bytes, nullptr, nullptr);
    // Wine's appending handles seek and write in two steps, so two writers at
    // once can lose a line: one writer at a time holds the log, the others wait.
    HANDLE log = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 500 && log == INVALID_HANDLE_VALUE; ++attempt)
    {
        log = CreateFileW(kStartLog, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log == INVALID_HANDLE_VALUE && GetLastError() == ERROR_SHARING_VIOLATION)
            Sleep(10);
        else if (log == INVALID_HANDLE_VALUE)
            return;
    }
    if (log == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(log, bytes, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(log);
}

long OwnShowState()
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
}

} // namespace e2e
