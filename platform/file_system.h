#pragma once

#include <string>

namespace platform
{

// Separator between a folder and a name in the paths this platform opens.
extern const char kPathSeparator;

bool DirectoryExists(const std::string& path);
// Whether the path names an existing file that is not a folder.
bool IsFile(const std::string& path);

} // namespace platform
