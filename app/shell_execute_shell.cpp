#include "app/shell_execute_shell.h"

#include <shellapi.h>
#include <windows.h>

bool ShellExecuteShell::Start(const std::string& path, int show)
{
    // Values above 32 mean started; the smaller ones are the shell's error codes.
    const HINSTANCE result = ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
