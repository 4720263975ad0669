#pragma once

#include <string>

namespace platform
{

// Converts 8-bit text from the ANSI code page to the OEM code page, the one
// the command interpreter reads batch files in. ASCII passes unchanged.
// Takes the text by value: a script of megabytes is converted in place.
std::string AnsiToOem(std::string text);

} // namespace platform
