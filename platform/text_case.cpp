#include "platform/text_case.h"

#include "platform/code_page.h"
#include "platform/path_code.h"

#include <string_view>

namespace platform
{
namespace
{

char UpperCaseAscii(char c)
{
    // Without a branch, so that a loop works on many letters at once.
    return static_cast<char>(c - ((static_cast<unsigned char>(c - 'a') < 26) << 5));
}

size_t Utf8Length(char32_t point)
{
    return point < 0x80 ? 1 : point < 0x800 ? 2 : point < 0x10000 ? 3 : 4;
}

// The length of the UTF-8 character that `text` begins with, and its code
// point; 0 for bytes that are none: a sequence cut short, a byte out of
// place, a longer form than needed, a surrogate.
size_t DecodeUtf8(std::string_view text, char32_t& point)
{
    const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    const size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 0;
    if (length == 0 || first >= 0xF8 || text.size() < length)
        return 0;
    point = first & (0x7F >> length);
    for (size_t i = 1; i < length; ++i)
    {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        point = point << 6 | (byte(i) & 0x3F);
    }
    if (Utf8Length(point) != length || (point >= 0xD800 && point < 0xE000) || point > 0x10FFFF)
        return 0;
    return length;
}

// Writes the character over the one of the same length at `into`.
void EncodeUtf8(char32_t point, char* into)
{
    const size_t length = Utf8Length(point);
    static constexpr unsigned char kFirst[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (size_t i = length - 1; i > 0; --i, point >>= 6)
        into[i] = static_cast<char>(0x80 | (point & 0x3F));
    into[0] = static_cast<char>(kFirst[length] | point);
}

} // namespace

std::string UpperCasePath(std::string text)
{
    if (ProcessPathCode() == PathCode::Ansi)
        return UpperCaseAnsi(std::move(text));
    if (IsAscii(text))
    {
        for (char& c : text)
            c = UpperCaseAscii(c);
        return text;
    }
    for (size_t i = 0; i < text.size();)
    {
        char32_t point = 0;
        const size_t length = DecodeUtf8(std::string_view(text).substr(i), point);
        if (length == 0)
        {
            text[i] = UpperCaseAscii(text[i]);
            ++i;
            continue;
        }
        if (point < 0x10000)
        {
            const char32_t upper = UpperCaseUnit(static_cast<char16_t>(point));
            if (Utf8Length(upper) == length)
                EncodeUtf8(upper, &text[i]);
        }
        i += length;
    }
    return text;
}

} // namespace platform
