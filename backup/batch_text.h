#pragma once

#include <string>

namespace backup
{

// Doubles every "%" so that the command interpreter keeps a user's path as
// it is instead of expanding a variable name out of it.
std::string EscapePercent(const std::string& text);

} // namespace backup
