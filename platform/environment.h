#pragma once

#include <string>

namespace platform
{

// The text with every "%NAME%" of a set environment variable replaced by its
// value, as the command interpreter expands it.
std::string ExpandEnvironment(const std::string& text);

} // namespace platform
