#pragma once

#include "platform/file_tree.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The ways the program opens a store file, each by its full path, through the
// file port. There is no append: every file is written whole, so a reader
// never sees half of it. Text is handed over as the program means it, with
// "\n" line ends; on disk every line end is "\r\n" on every platform, the
// bytes the Windows text mode gives.
namespace store
{

// The line end of every store file on the disk.
inline constexpr std::string_view kDiskLineEnd = "\r\n";

// Replaces the file with the program's text, each "\n" written as
// kDiskLineEnd, whole: a reader or a crash sees the old file or the new one.
// Returns false, leaving the old file, on any failure. Bytes that hold the
// disk's line ends already go to FileTree::Replace as they are.
bool ReplaceWithText(const std::string& path, std::string_view text, platform::FileTree& files);

// The same, but a file that holds the text already is left as it is: a save
// rewrites mostly unchanged settings, and each write waits for the disk.
// For small files, which are read whole to compare.
bool ReplaceWithTextIfDifferent(const std::string& path, std::string_view text,
                                platform::FileTree& files);

// The bytes of the lines on the disk, each followed by kDiskLineEnd (none
// holds a line end), for FileTree::Replace: a list of many thousand entries
// goes to the disk straight from them, never made into one text first.
// `lastLine`, unless empty, follows them as one more. Both must outlive the
// pieces.
platform::NextPiece DiskLines(const std::vector<std::string>& lines,
                              std::string_view lastLine = {});

struct FileText
{
    platform::ReadResult result = platform::ReadResult::Missing;
    // With "\r\n" read as "\n"; empty unless read.
    std::string text;
};

FileText Read(const std::string& path, platform::FileTree& files);

// A file read as lines, for lists of many thousand: one buffer, each line a
// view into it. A line ends at "\n", with a "\r" directly before it dropped as
// Read drops it; text after the last line end is no line. The byte after each
// view is a NUL, so that a line can be handed on as a C string as it stands.
struct FileLines
{
    platform::ReadResult result = platform::ReadResult::Missing;
    std::vector<std::string_view> lines;
    // What the views point into, kept for as long as any copy lives.
    std::shared_ptr<const char[]> bytes;
};

FileLines ReadLines(const std::string& path, platform::FileTree& files);

// The file's text; a missing file is created empty and reads as empty (one
// that cannot be created too). Nothing for a file that is there but
// cannot be read.
std::optional<std::string> ReadOrCreateEmpty(const std::string& path, platform::FileTree& files);

// The same text, but a missing file stays missing and reads as empty: the
// companions read the store with rights that may not let them write there.
std::string ReadIfPresent(const std::string& path, platform::FileTree& files);

// Whether the file exists and can be opened for reading; creates nothing.
bool TestRead(const std::string& path, platform::FileTree& files);

// Removes the file. A missing file is no error; false means it is still there.
bool Delete(const std::string& path, platform::FileTree& files);

} // namespace store
