#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// Last-write times in the file system's own unit: only differences mean
// something, so each platform counts from its own epoch.
using FileTime = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;

// What a walk or a copy decision needs to know of one file or folder, read
// in one call.
struct FileFacts
{
    bool isFolder = false;
    // A symbolic link or junction: a walk that followed one could run in a circle.
    bool isLink = false;
    // Hidden or system on Windows; a name that begins with a dot on POSIX.
    bool hidden = false;
    // Set by Windows whenever the file is written; xcopy /M copies only files
    // that have it and clears it. POSIX keeps none: every file has it there.
    bool archive = false;
    std::uint64_t size = 0;
    FileTime lastWrite{};
};

// The facts of the file or folder at `path`, or nothing when there is none
// or it cannot be reached (a path too long for the system included).
std::optional<FileFacts> FactsOf(const std::string& path);

using FolderVisit = std::function<void(std::string_view name, const FileFacts& facts)>;

// Calls `visit` for each entry of the folder, "." and ".." left out. False
// when the folder cannot be listed.
bool ListFolder(const std::string& folder, const FolderVisit& visit);

// Makes the folder and every missing folder above it; true when it exists.
bool MakeFolders(const std::string& path);

enum class CopyResult
{
    Copied,
    // Another program has the file open for writing: it may be half written.
    SourceBusy,
    Failed,
};

// Copies the file whole with its last-write time, as xcopy does, into the
// folders it makes for it. The copy is written beside `to` and moved over it:
// a copy cut short by the end of the session is never taken for a whole one,
// which xcopy /d would then skip for ever. The copy is a plain file, visible,
// as the "attrib -h" lines of backup.bat leave theirs.
CopyResult CopyKeepingTime(const std::string& from, const std::string& to);

bool ClearArchiveBit(const std::string& path);

// The text with every "%NAME%" of a set environment variable replaced by its
// value, as the command interpreter expands it.
std::string ExpandEnvironment(const std::string& text);

// The file calls above as a port, for the decisions that tests must see on
// archive bits and files held open, which Wine and POSIX do not keep.
class FileTree
{
  public:
    virtual ~FileTree() = default;
    virtual std::optional<FileFacts> Facts(const std::string& path) { return FactsOf(path); }
    virtual bool List(const std::string& folder, const FolderVisit& visit)
    {
        return ListFolder(folder, visit);
    }
    virtual CopyResult Copy(const std::string& from, const std::string& to)
    {
        return CopyKeepingTime(from, to);
    }
    virtual bool ClearArchive(const std::string& path) { return ClearArchiveBit(path); }
};

// The port on this platform's own calls.
inline FileTree& LocalFiles()
{
    static FileTree files;
    return files;
}

} // namespace platform
