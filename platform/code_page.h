#pragma once

#include <string>
#include <string_view>

namespace platform
{

// The code page of the process's 8-bit texts, as the calls below take it.
constexpr unsigned kAnsiCodePage = 0; // CP_ACP
// The code page the command interpreter reads batch files in.
constexpr unsigned kOemCodePage = 1; // CP_OEMCP
// UTF-8: the companions' paths (path_code.h).
constexpr unsigned kUtf8CodePage = 65001; // CP_UTF8

// Converts 8-bit text from the ANSI code page to the OEM code page, the one
// the command interpreter reads batch files in, and back. ASCII passes
// unchanged; a character the target lacks becomes a look-alike or "?".
// Takes the text by value: a script of megabytes is converted in place.
std::string AnsiToOem(std::string text);
std::string OemToAnsi(std::string text);

// Whether the byte starts a two-byte character in the code page: in the
// double-byte code pages (932, 936, 949, 950) the second byte may be any of
// 0x40 to 0xFE, a backslash among them. None does in UTF-8, whose bytes of a
// character are all 0x80 and above.
bool IsLeadByte(unsigned codePage, char byte);

// ASCII alone: every code page reads it byte for byte (no lead bytes, which
// are 0x81 and above) and converts it unchanged.
inline bool IsAscii(std::string_view text)
{
    unsigned char bits = 0;
    for (const char c : text)
        bits |= static_cast<unsigned char>(c);
    return bits < 0x80;
}

} // namespace platform
