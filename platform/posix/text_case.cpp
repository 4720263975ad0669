#include "platform/text_case.h"

#include <cwctype>
#include <locale.h>

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

// The C.UTF-8 locale's tables, never the process's locale; without them
// (no such locale), nothing beyond ASCII folds.
char16_t UpperCaseUnit(char16_t unit)
{
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    if (utf8 == locale_t{})
        return unit;
    const wint_t upper = towupper_l(unit, utf8);
    return upper < 0x10000 ? static_cast<char16_t>(upper) : unit;
}

} // namespace platform
