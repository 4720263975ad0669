#pragma once

#include <string>

namespace platform
{

// Separator between a folder and a name in the paths this platform opens.
extern const char kPathSeparator;

bool DirectoryExists(const std::string& path);
// Whether the path names an existing file that is not a folder.
bool IsFile(const std::string& path);
// Makes the folder and every missing folder above it; true when it exists.
bool MakeFolders(const std::string& path);

} // namespace platform
