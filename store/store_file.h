#pragma once

#include "platform/file_tree.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The ways the program opens a store file, each by its full path. There is no
// append: every file is written whole, so a reader never sees half of it. Text
// is handed over as the program means it, with "\n" line ends; on disk every
// line end is "\r\n" on every platform, the bytes the Windows text mode gives.
namespace store
{

// Replaces the file with the text, whole: a reader or a crash sees the old
// file or the new one. Returns false, leaving the old file, on any failure.
bool ReplaceWhole(const std::string& path, const std::string& text,
                  platform::FileTree& files = platform::LocalFiles());

// The same with the text handed over a piece at a time (see
// platform::NextPiece), for a text of megabytes made as it is written.
bool ReplaceText(const std::string& path, platform::NextPiece text,
                 platform::FileTree& files = platform::LocalFiles());

// The line end of every store file on the disk.
inline constexpr std::string_view kDiskLineEnd = "\r\n";

// The same for a text made with kDiskLineEnd already: it goes to the disk as
// it comes, with no pass over its megabytes to translate them.
bool ReplaceDiskText(const std::string& path, platform::NextPiece text,
                     platform::FileTree& files = platform::LocalFiles());

// The same, but a file that holds the text already is left as it is: a save
// rewrites mostly unchanged settings, and each write waits for the disk.
// For small files, which are read whole to compare.
bool ReplaceIfDifferent(const std::string& path, const std::string& text);

// The same for the text of the lines, each followed by a line end (none
// holds one), without that text made first: a list of many thousand
// entries goes to the disk straight from them. `lastLine`, unless empty,
// follows them as one more.
bool ReplaceLines(const std::string& path, const std::vector<std::string>& lines,
                  std::string_view lastLine = {},
                  platform::FileTree& files = platform::LocalFiles());

enum class ReadResult
{
    Read,
    Missing,
    // There, but it cannot be opened or read: locked without sharing, an I/O
    // error, no rights, a folder of that name. Never to be taken for empty.
    Unreadable,
};

struct FileText
{
    ReadResult result = ReadResult::Missing;
    // With "\r\n" read as "\n"; empty unless read.
    std::string text;
};

FileText Read(const std::string& path);

// A file read as lines, for lists of many thousand: one buffer, each line a
// view into it. A line ends at "\n", with a "\r" directly before it dropped as
// Read drops it; text after the last line end is no line. The byte after each
// view is a NUL, so that a line can be handed on as a C string as it stands.
struct FileLines
{
    ReadResult result = ReadResult::Missing;
    std::vector<std::string_view> lines;
    // What the views point into, kept for as long as any copy lives.
    std::shared_ptr<const char[]> bytes;
};

FileLines ReadLines(const std::string& path);

// The file's text; a missing file is created empty and reads as empty (one
// that cannot be created too). Nothing for a file that is there but
// cannot be read.
std::optional<std::string> ReadOrCreateEmpty(const std::string& path);

// The same text, but a missing file stays missing and reads as empty: the
// companions read the store with rights that may not let them write there.
std::string ReadIfPresent(const std::string& path);

// Whether the file exists and can be opened for reading; creates nothing.
bool TestRead(const std::string& path);

// Removes the file. A missing file is no error; false means it is still there.
bool Delete(const std::string& path);

} // namespace store
