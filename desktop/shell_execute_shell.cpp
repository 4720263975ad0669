#include "desktop/shell_execute_shell.h"

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

namespace
{

// Values above 32 mean started; the smaller ones are the shell's error codes.
bool Started(HINSTANCE result)
{
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace

bool ShellExecuteShell::Start(const std::string& path, int show)
{
    return Started(ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, show));
}

bool ShellExecuteShell::Start(const std::wstring& program, const std::wstring& arguments, int show)
{
    return Started(
        ShellExecuteW(nullptr, L"open", program.c_str(), arguments.c_str(), nullptr, show));
}
