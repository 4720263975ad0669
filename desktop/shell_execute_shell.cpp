#include "desktop/shell_execute_shell.h"

#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"

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
    return Start(platform::WideFromPath(path), std::wstring(), show);
}

bool ShellExecuteShell::Start(const std::wstring& program, const std::wstring& arguments, int show)
{
    static const auto execute =
        platform::SystemFunction<decltype(&ShellExecuteW)>("shell32.dll", "ShellExecuteW");
    return execute != nullptr &&
           Started(execute(nullptr, L"open", program.c_str(), arguments.c_str(), nullptr, show));
}
