// Test stand-in for the command interpreter, reached through COMSPEC, which is
// what the system uses to run a batch file that the shell is asked to open.
// It records the start with its show state, keeps a copy of the batch text
// (backup.bat erases itself, so the copy is the only way to read what ran),
// runs the real cmd.exe with the same arguments, records its exit status and
// passes it on.
#include "tests/e2e/companion/start_record.h"

#include <string>
#include <windows.h>

namespace
{

// The arguments after the program name: "/s/c ""C:\...\name.bat""".
std::wstring Arguments()
{
    std::wstring line = GetCommandLineW();
    size_t end = 0;
    if (!line.empty() && line[0] == L'"')
        end = line.find(L'"', 1) + 1;
    else
        end = line.find(L' ');
    return end == std::wstring::npos || end >= line.size() ? std::wstring() : line.substr(end);
}

std::wstring BatchPath(const std::wstring& arguments)
{
    const size_t open = arguments.find(L"\"\"");
    if (open == std::wstring::npos)
        return L"";
    const size_t close = arguments.find(L'"', open + 2);
    return arguments.substr(open + 2,
                            close == std::wstring::npos ? std::wstring::npos : close - open - 2);
}

} // namespace

int main()
{
    const std::wstring arguments = Arguments();
    const std::wstring batch = BatchPath(arguments);
    const size_t slash = batch.rfind(L'\\');
    const std::wstring name = slash == std::wstring::npos ? batch : batch.substr(slash + 1);
    e2e::AppendStartRecord(L"started", name, e2e::OwnShowState());
    const std::wstring copies = std::wstring(e2e::kHarnessFolder) + L"\\started";
    CreateDirectoryW(copies.c_str(), nullptr);
    CopyFileW(batch.c_str(), (copies + L"\\" + name).c_str(), FALSE);

    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring cmd = std::wstring(system) + L"\\cmd.exe";
    SetEnvironmentVariableW(L"COMSPEC", cmd.c_str());
    std::wstring commandLine = L"cmd.exe" + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    PROCESS_INFORMATION process{};
    DWORD status = 1;
    if (CreateProcessW(cmd.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process))
    {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &status);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    e2e::AppendStartRecord(L"ended", name, static_cast<long>(status));
    return static_cast<int>(status);
}
