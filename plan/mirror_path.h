#pragma once

#include <string>
#include <string_view>

// Where a path's copies lie below the destination when a backup has two or
// more sources: a mirror of the path itself, so that a file's place never
// depends on the other entries or on whether its entry is on the disk.
// "C:\Docs\a.txt" gives "C\Docs\a.txt", "D:\" gives "D",
// "\\server\share\x" gives "UNC\server\share\x", and a path with neither a
// drive nor a share gives "other\" and the path without its leading
// separators and colons. A trailing separator is ignored; the separators are
// the path's own.
std::string MirrorOf(std::string_view path);

// Whether the path begins with a drive letter and its colon ("C:", "d:\\x").
bool StartsWithDriveLetter(std::string_view path);
// The same appended to `out`: a plan of many thousand sources makes each
// copy folder in one piece.
void AppendMirrorOf(std::string_view path, std::string& out);

// The path a mirror below the destination names: "C\Docs" gives "C:\Docs",
// "D" gives "D:\", "UNC\server\share\x" gives "\\server\share\x". Empty for a
// mirror whose path is lost ("other\...", "UNC" without a share) and for a
// name that is no mirror.
std::string OriginalOfMirror(std::string_view mirror);
