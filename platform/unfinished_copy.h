#pragma once

#include <string>
#include <string_view>

namespace platform
{

// The end of the name a copy is written under until it is whole. A name of
// our own: a user's "*.part" (a download cut short) is a file like any other,
// backed up, restored and never deleted.
inline constexpr std::string_view kUnfinishedCopySuffix = ".corvane-part";

// Whether the name is that of a copy not yet whole, in any letter case: it is
// never taken for a file of the backup.
bool IsUnfinishedCopy(std::string_view name);

// Where the copy at `copyPath` is written until it is whole, in the same
// folder: "<name>.corvane-part", or "~<8 hex digits of a hash of the
// name>.corvane-part" where that name would be longer than the 255 characters
// a file system takes (counted in bytes, never fewer than Windows' characters).
std::string UnfinishedCopyOf(std::string_view copyPath);

} // namespace platform
