#include "platform/code_page.h"

namespace platform
{

// POSIX systems have no ANSI or OEM code page and never run the batch files:
// the text stays as it is, one byte a character.
std::string AnsiToOem(std::string text)
{
    return text;
}

std::string OemToAnsi(std::string text)
{
    return text;
}

bool IsLeadByte(unsigned, char)
{
    return false;
}

} // namespace platform
