#include "platform/code_page.h"

#include <windows.h>

// windows.h maps AnsiToOem to CharToOemA, which would rename our function.
#undef AnsiToOem

namespace platform
{

std::string AnsiToOem(std::string text)
{
    // The ANSI form of the call may translate in place.
    if (!text.empty())
        CharToOemBuffA(text.data(), text.data(), static_cast<DWORD>(text.size()));
    return text;
}

} // namespace platform
