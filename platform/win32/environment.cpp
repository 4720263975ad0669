#include "platform/environment.h"

#include "platform/win32/wide_text.h"

#include <windows.h>

namespace platform
{

// By the wide calls: a profile folder named in another alphabet than the code
// page's (a user's own name) keeps every character.
std::string ExpandEnvironment(const std::string& text)
{
    const std::wstring wide = WideFromPath(text);
    const DWORD size = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    std::wstring expanded(size, L'\0');
    if (size == 0 || ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), size) == 0)
        return text;
    expanded.resize(size - 1);
    return PathFromWide(expanded);
}

std::string LocalAppData()
{
    const DWORD size = GetEnvironmentVariableW(L"LOCALAPPDATA", nullptr, 0);
    std::wstring folder(size, L'\0');
    if (size == 0 || GetEnvironmentVariableW(L"LOCALAPPDATA", folder.data(), size) != size - 1)
        return {};
    folder.resize(size - 1);
    return PathFromWide(folder);
}

} // namespace platform
