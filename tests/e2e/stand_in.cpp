// Stands in for the companion program Load.exe, and, reached through COMSPEC,
// for the command interpreter that the system runs a batch file with when
// the shell is asked to open one. Records its start as an empty file in
// C:\e2e\starts named "<creation time> <name> <show state>" (the names sort in
// the order the program started the processes, and no two writers share a
// file); as the interpreter it then runs the real cmd.exe with the same
// arguments and waits for it, so that it ends when the batch does.
#include <cwchar>
#include <shlwapi.h>
#include <string>
#include <windows.h>

int main()
{
    // The interpreter is given the batch in doubled quotes: /s/c ""C:\...\name.bat"".
    std::wstring arguments = PathGetArgsW(GetCommandLineW());
    const size_t open = arguments.find(L"\"\"");
    std::wstring name = L"Load.exe";
    if (open != std::wstring::npos)
    {
        name = arguments.substr(open + 2, arguments.find(L'"', open + 2) - open - 2);
        name = name.substr(name.rfind(L'\\') + 1);
    }
    FILETIME creation{}, exitTime{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &creation, &exitTime, &kernel, &user);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    wchar_t record[MAX_PATH];
    std::swprintf(
        record, MAX_PATH, L"C:\\e2e\\starts\\%020llu %ls %d",
        (static_cast<unsigned long long>(creation.dwHighDateTime) << 32) | creation.dwLowDateTime,
        name.c_str(), (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1);
    CreateDirectoryW(L"C:\\e2e\\starts", nullptr);
    CloseHandle(CreateFileW(record, GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    if (open == std::wstring::npos)
        return 0;

    wchar_t cmd[MAX_PATH] = {};
    GetSystemDirectoryW(cmd, MAX_PATH);
    wcscat(cmd, L"\\cmd.exe");
    SetEnvironmentVariableW(L"COMSPEC", cmd);
    arguments = L"cmd.exe " + arguments;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(cmd, arguments.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    return static_cast<int>(status);
}
