#include "platform/text_case.h"

namespace platform
{

// Only ASCII letters: POSIX has no ANSI code page to fold the rest by, and
// the result must not depend on the process's locale.
std::string UpperCaseAnsi(std::string text)
{
    // Without a branch, so that the loop works on many letters at once.
    for (char& c : text)
        c = static_cast<char>(c - ((static_cast<unsigned char>(c - 'a') < 26) << 5));
    return text;
}

} // namespace platform
