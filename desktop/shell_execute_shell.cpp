#include "desktop/shell_execute_shell.h"

#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

bool ShellExecuteShell::Start(const std::string& path, int show)
{
    // Values above 32 mean started; the smaller ones are the shell's error codes.
    const HINSTANCE result = ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, show);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
