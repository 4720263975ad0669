#include "platform/win32/system_function.h"

#include "platform/win32/wide_text.h"

#include <string>

namespace platform
{

FARPROC SystemProcedure(const char* library, const char* name)
{
    // From the system folder only, never from the program's or the current one.
    wchar_t folder[MAX_PATH];
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    const std::wstring path = std::wstring(folder, length) + L'\\' + WideFromAnsi(library);
    // Never freed: the callers keep what they looked up for the program's life.
    const HMODULE module = LoadLibraryW(path.c_str());
    return module != nullptr ? GetProcAddress(module, name) : nullptr;
}

} // namespace platform
