#include "platform/text_case.h"

namespace platform
{

// Only ASCII letters: POSIX has no ANSI code page to fold the rest by, and
// the result must not depend on the process's locale.
std::string UpperCaseAnsi(std::string text)
{
    for (char& c : text)
    {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

} // namespace platform
