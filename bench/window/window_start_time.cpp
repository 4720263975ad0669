// Times a program from its start to its visible main window, found by caption,
// then closes the window. Prints the milliseconds of each run, one a line.
// The windows timed fill their lists before they show, so visible is shown.
// Usage: window_start_time RUNS PROGRAM CAPTION [ARGUMENTS]
#include <cstdio>
#include <string>
#include <windows.h>

namespace
{

// Milliseconds to the visible window, or -1 when it never showed.
double TimeOneStart(const wchar_t* program, const wchar_t* caption, const wchar_t* arguments)
{
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\" " + arguments;
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    HWND found = nullptr;
    for (int poll = 0; poll < 30000 && !found; ++poll)
    {
        if (WaitForSingleObject(process.hProcess, 1) != WAIT_TIMEOUT)
            return -1;
        found = FindWindowW(nullptr, caption);
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        found = owner == process.dwProcessId && IsWindowVisible(found) ? found : nullptr;
    }
    QueryPerformanceCounter(&now);
    // Esc ends both dialogs without writing anything.
    PostMessageW(found, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return found ? 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                       static_cast<double>(frequency.QuadPart)
                 : -1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4 && argc != 5)
    {
        std::fprintf(stderr, "usage: window_start_time RUNS PROGRAM CAPTION [ARGUMENTS]\n");
        return 2;
    }
    for (int run = 0; run < _wtoi(argv[1]); ++run)
    {
        const double elapsed = TimeOneStart(argv[2], argv[3], argc == 5 ? argv[4] : L"");
        if (elapsed < 0)
            return 1;
        std::printf("%.1f\n", elapsed);
    }
    return 0;
}
