#pragma once

#include <string>

namespace platform
{

// The text with every "%NAME%" of a set environment variable replaced by its
// value, as the command interpreter expands it.
std::string ExpandEnvironment(const std::string& text);

// The user's %LOCALAPPDATA%, where the profile keeps the reports, as path
// text; empty when it is not set.
std::string LocalAppData();

} // namespace platform
