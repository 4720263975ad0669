#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace platform
{

// The bytes of a file, handed over a piece at a time, so that a text of
// megabytes need not be copied whole before it is written: each call returns
// the next piece, and an empty piece ends the file.
using NextPiece = std::function<std::string_view()>;

// Writes the pieces into a temporary file beside `path`, flushes it to the
// disk and moves it over `path`, so that a reader or a crash sees the old
// file or the new one, never a part of either. Returns false, leaving `path`
// as it was, on any failure.
bool ReplaceFileWhole(const std::string& path, const NextPiece& next);

// The same with the bytes in one piece.
inline bool ReplaceFileWhole(const std::string& path, std::string_view bytes)
{
    return ReplaceFileWhole(path, [&bytes] { return std::exchange(bytes, {}); });
}

} // namespace platform
