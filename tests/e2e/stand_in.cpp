// Stands in, reached through COMSPEC, for the command interpreter, which the
// system runs a batch file with when the shell opens one. Records its start
// as an empty file in C:\e2e\starts named "<creation time> <name> <show
// state>": the names sort in the order the processes were started, and no
// two writers share a file. While C:\e2e\hold-batch exists it waits, as a
// long batch would; then it runs the real interpreter and ends when the batch
// does.
#include <cwchar>
#include <shlwapi.h>
#include <string>
#include <windows.h>

int main()
{
    // The interpreter is given the batch in doubled quotes: /s/c ""C:\...\name.bat"".
    std::wstring arguments = PathGetArgsW(GetCommandLineW());
    const size_t open = arguments.find(L"\"\"");
    const std::wstring name = arguments.substr(0, arguments.find(L'"', open + 2));
    FILETIME creation{}, exitTime{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    wchar_t record[MAX_PATH];
    std::swprintf(record, MAX_PATH, L"C:\\e2e\\starts\\%020llu %ls %d",
                  (static_cast<unsigned long long>(creation.dwHighDateTime) << 32) |
                      creation.dwLowDateTime,
                  PathFindFileNameW(name.c_str()),
                  (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1);
    CreateDirectoryW(L"C:\\e2e\\starts", nullptr);
    CloseHandle(CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    while (GetFileAttributesW(L"C:\\e2e\\hold-batch") != INVALID_FILE_ATTRIBUTES)
        Sleep(50);

    arguments = L"cmd.exe " + arguments;
    PROCESS_INFORMATION process{};
    DWORD status = 1;
    if (CreateProcessW(nullptr, arguments.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process))
    {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
    }
    return static_cast<int>(status);
}
