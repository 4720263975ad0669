// Test stand-in for the command interpreter, reached through COMSPEC, which is
// what the system uses to run a batch file that the shell is asked to open.
// It records the start with its show state, keeps a copy of the batch text
// (backup.bat erases itself, so the copy is the only way to read what ran),
// runs the real cmd.exe with the same arguments, records its exit status and
// passes it on.
#include "tests/e2e/companion/start_record.h"

#include <shlwapi.h>

int main()
{
    // The arguments name the batch in doubled quotes: /s/c ""C:\...\name.bat"".
    const std::wstring arguments = PathGetArgsW(GetCommandLineW());
    const size_t open = arguments.find(L"\"\"") + 2;
    const std::wstring batch = arguments.substr(open, arguments.find(L'"', open) - open);
    const std::wstring name = batch.substr(batch.rfind(L'\\') + 1);
    e2e::AppendStartRecord(L"started", name, e2e::OwnShowState());
    const std::wstring copies = std::wstring(e2e::kHarnessFolder) + L"\\started";
    CreateDirectoryW(copies.c_str(), nullptr);
    CopyFileW(batch.c_str(), (copies + L"\\" + name).c_str(), FALSE);

    wchar_t cmd[MAX_PATH] = {};
    GetSystemDirectoryW(cmd, MAX_PATH);
    wcscat(cmd, L"\\cmd.exe");
    SetEnvironmentVariableW(L"COMSPEC", cmd);
    std::wstring commandLine = L"cmd.exe " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    PROCESS_INFORMATION process{};
    DWORD status = 1;
    if (CreateProcessW(cmd, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process))
    {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
    }
    e2e::AppendStartRecord(L"ended", name, static_cast<long>(status));
    return static_cast<int>(status);
}
