// Times a program from its start to its visible main window, found by caption,
// then closes the window. Prints the milliseconds of each run, one a line.
// Usage: window_start_time RUNS PROGRAM CAPTION
#include <cstdio>
#include <cstdlib>
#include <string>
#include <windows.h>

namespace
{

struct Search
{
    DWORD processId;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindWindowOf(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t caption[128] = {};
    GetWindowTextW(window, caption, 128);
    if (owner != search->processId || !IsWindowVisible(window) ||
        std::wstring(caption) != search->caption)
        return TRUE;
    search->found = window;
    return FALSE;
}

// Milliseconds to the visible window, or -1 when it never showed.
double TimeOneStart(wchar_t* program, const wchar_t* caption)
{
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    Search search{process.dwProcessId, caption, nullptr};
    double elapsed = -1;
    for (int poll = 0; poll < 30000 && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
         ++poll)
    {
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
        if (search.found)
        {
            QueryPerformanceCounter(&now);
            elapsed = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart);
            break;
        }
        Sleep(1);
    }
    // Esc ends both dialogs without writing anything.
    if (search.found)
        PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
    if (WaitForSingleObject(process.hProcess, 10000) == WAIT_TIMEOUT)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 4)
    {
        std::fprintf(stderr, "usage: window_start_time RUNS PROGRAM CAPTION\n");
        return 2;
    }
    const int runs = _wtoi(argv[1]);
    for (int run = 0; run < runs; ++run)
    {
        const double elapsed = TimeOneStart(argv[2], argv[3]);
        if (elapsed < 0)
            return 1;
        std::printf("%.1f\n", elapsed);
    }
    return 0;
}
