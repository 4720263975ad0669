#pragma once

#include <string>

namespace platform
{

// Upper-cases 8-bit ANSI text the way this platform's file names ignore case,
// so that two paths naming the same file compare equal afterwards.
std::string UpperCaseAnsi(const std::string& text);

} // namespace platform
