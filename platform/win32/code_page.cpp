#include "platform/code_page.h"

#include <windows.h>

// windows.h maps these to CharToOemA and OemToCharA, which would rename ours.
#undef AnsiToOem
#undef OemToAnsi

namespace platform
{

// The ANSI forms of the calls may translate in place.
std::string AnsiToOem(std::string text)
{
    if (!text.empty())
        CharToOemBuffA(text.data(), text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::string OemToAnsi(std::string text)
{
    if (!text.empty())
        OemToCharBuffA(text.data(), text.data(), static_cast<DWORD>(text.size()));
    return text;
}

bool IsLeadByte(unsigned codePage, char byte)
{
    return codePage != kUtf8CodePage &&
           IsDBCSLeadByteEx(codePage, static_cast<BYTE>(byte)) != FALSE;
}

} // namespace platform
