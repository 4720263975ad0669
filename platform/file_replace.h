#pragma once

#include <string>

namespace platform
{

// Writes the bytes into a temporary file beside `path` and moves it over
// `path`, so that a reader or a crash sees the old file or the new one, never
// a part of either. Returns false, leaving `path` as it was, on any failure.
bool ReplaceFileWhole(const std::string& path, const std::string& bytes);

} // namespace platform
