#pragma once

#include <string>

namespace platform
{

// Upper-cases path text (path_code.h) the way this platform's file names
// ignore case, so that two paths naming the same file compare equal
// afterwards. ANSI text folds as the code page's letters fold. UTF-8 folds
// each character of the Basic Multilingual Plane by the system's table of
// upper case, whatever the user's language: names are UTF-16 units to the file
// system, which folds only those. A character whose upper case takes another
// number of bytes stays as it is, so that an offset into the folded text is
// one into the text; so do bytes that are no UTF-8. Takes the text by value
// and folds it in place: a walk over many paths reuses one buffer.
std::string UpperCasePath(std::string text);

// The platform's parts of it:
// ANSI text folded as the code page's letters (POSIX, which has none: ASCII
// letters alone).
std::string UpperCaseAnsi(std::string text);
// One UTF-16 unit in upper case, as the file system compares names.
char16_t UpperCaseUnit(char16_t unit);

} // namespace platform
