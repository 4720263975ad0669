#pragma once

#include <cstdlib>
#include <string>

namespace platform
{

// The text with every "%NAME%" of a set environment variable replaced by its
// value, as the command interpreter expands it.
std::string ExpandEnvironment(const std::string& text);

// The user's %LOCALAPPDATA%, where the profile keeps the reports; empty
// when it is not set.
inline std::string LocalAppData()
{
    const char* folder = std::getenv("LOCALAPPDATA");
    return folder ? folder : "";
}

} // namespace platform
