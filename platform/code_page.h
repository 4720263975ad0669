#pragma once

#include <string>

namespace platform
{

// Converts 8-bit text from the ANSI code page to the OEM code page, the one
// the command interpreter reads batch files in. ASCII passes unchanged.
std::string AnsiToOem(const std::string& text);

} // namespace platform
