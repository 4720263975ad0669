#pragma once

#include <string>

namespace platform
{

// How this process writes paths as 8-bit text. The dialog keeps its texts and
// the store files in the ANSI code page, as it always did. The companions
// hold every name Windows allows, in UTF-8, and turn the store's ANSI texts
// into it as they read them.
enum class PathCode
{
    Ansi,
    Utf8,
};

PathCode ProcessPathCode();
// Set once, at the start, before any thread runs: every thread reads it
// unguarded.
void SetProcessPathCode(PathCode code);

// The code page path text is read by character in: no byte of UTF-8 is the
// first of two, every byte below 0x80 is an ASCII character there.
unsigned PathCodePage();

// ANSI text (the store's) as path text: the same text in ANSI, and where there
// is no ANSI code page (POSIX).
std::string PathFromAnsi(std::string text);
// Path text as ANSI text: exact for a text that came from ANSI; a character
// the code page lacks becomes a look-alike or "?".
std::string AnsiFromPath(std::string text);

} // namespace platform
