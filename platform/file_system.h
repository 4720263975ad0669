#pragma once

#include <string>

namespace platform
{

// Separator between a folder and a name in the paths this platform opens.
extern const char kPathSeparator;

bool DirectoryExists(const std::string& path);

} // namespace platform
