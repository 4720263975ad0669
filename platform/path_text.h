#pragma once

#include "platform/code_page.h"
#include "platform/path_code.h"

#include <string>
#include <string_view>

// Paths as 8-bit text in the process's path code (ANSI or UTF-8), read by
// character: in the double-byte code pages the second byte of a character may
// be 0x5C, which is a backslash only as a byte ("C:\\" followed by the bytes
// 83 5C is one folder, not two). Both the backslash and the platform's own
// separator count as separators.

namespace platform
{

bool IsSeparator(char c);

// The offset of the path's last separator, or npos.
size_t FindLastSeparator(std::string_view path, unsigned codePage = PathCodePage());

bool EndsWithSeparator(std::string_view path, unsigned codePage = PathCodePage());

// The offset of the first character of the text that is one of `characters`
// (single-byte ones), read by character: the second byte of a double-byte
// character is none of them. npos when there is none.
size_t FindFirstCharacterOf(std::string_view text, std::string_view characters,
                            unsigned codePage = PathCodePage());

// Whether the path lies below the folder, compared byte for byte (callers
// fold the letter case of both): C:\ and C:\Data hold C:\Data\Backup,
// C:\Data does not hold C:\Database, and no folder holds itself.
bool IsBelowFolder(std::string_view path, std::string_view folder);
// The same, or the folder itself.
bool IsAtOrBelowFolder(std::string_view path, std::string_view folder);

// The path below the folder, without the separators between them:
// "Sub\\a.doc" for "E:\\B\\Sub\\a.doc" below "E:\\B" or "E:\\B\\"; empty for the
// folder itself. `path` lies at or below `folder`.
std::string_view PathBelow(std::string_view path, std::string_view folder);

// The folder and the name joined by one separator, a backslash when the folder
// has one: "E:\\" and "Docs" give "E:\\Docs".
std::string JoinPath(std::string_view folder, std::string_view name);

// How many UTF-16 units the path takes, as Windows' own path limits count:
// one a character, two for one beyond the Basic Multilingual Plane.
size_t Utf16Length(std::string_view path, unsigned codePage = PathCodePage());

// The folder that holds the path, as it opens: "C:\\" for "C:\\Data", "C:\\Data"
// for "C:\\Data\\Sub\\"; empty for a drive's root or a path without a
// separator.
std::string ParentFolder(std::string_view path);

// The last component as the path writes it, a trailing separator ignored:
// "Docs" for "C:\\Docs\\", "D:" for "D:\\".
std::string_view LastComponent(std::string_view path);

} // namespace platform
