#include "platform/code_page.h"

#include <windows.h>

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
