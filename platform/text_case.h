#pragma once

#include <string>

namespace platform
{

// Upper-cases 8-bit ANSI text the way this platform's file names ignore case,
// so that two paths naming the same file compare equal afterwards. Takes the
// text by value and folds it in place: a walk over many paths reuses one buffer.
std::string UpperCaseAnsi(std::string text);

} // namespace platform
