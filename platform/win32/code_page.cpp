#include "platform/code_page.h"

#include <windows.h>

// windows.h maps AnsiToOem to CharToOemA, which would rename our function.
#undef AnsiToOem

namespace platform
{

std::string AnsiToOem(const std::string& text)
{
    std::string oem(text);
    if (!oem.empty())
        CharToOemBuffA(text.data(), oem.data(), static_cast<DWORD>(oem.size()));
    return oem;
}

} // namespace platform
