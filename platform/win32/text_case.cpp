#include "platform/text_case.h"

#include <algorithm>
#include <utility>
#include <vector>
#include <windows.h>

namespace platform
{

// CharUpperBuffA folds the letters of the ANSI code page beyond ASCII too,
// as the file system does when it compares names.
std::string UpperCaseAnsi(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The invariant locale's simple upper case is the table that the file system
// and CompareStringOrdinal ignore case by; the user's language (a Turkish
// dotted i) plays no part. Asked once for every unit, as one table.
char16_t UpperCaseUnit(char16_t unit)
{
    static const std::vector<wchar_t> table = [] {
        std::vector<wchar_t> units(0x10000);
        for (size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<wchar_t>(i);
        std::vector<wchar_t> upper = units;
        // Surrogates stand for no character alone: they are left out.
        constexpr std::pair<int, int> kRanges[] = {{1, 0xD800}, {0xE000, 0x10000}};
        for (const auto& [first, end] : kRanges)
        {
            const int count = end - first;
            if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &units[first], count,
                              &upper[first], count, nullptr, nullptr, 0) != count)
                std::copy(&units[first], &units[first] + count, &upper[first]);
        }
        return upper;
    }();
    return static_cast<char16_t>(table[unit]);
}

} // namespace platform
