#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

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

// Which file or folder a path reaches, whatever name it is reached by (a
// mapped drive and its UNC name, a subst letter, a junction): the volume's
// serial number and the file's id on that volume, 128 bits on file systems
// (ReFS) whose ids do not fit in 64. A share that gives no id has none.
struct FileIdentity
{
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    std::uint64_t fileHigh = 0;

    bool operator==(const FileIdentity& other) const
    {
        return volume == other.volume && file == other.file && fileHigh == other.fileHigh;
    }
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// What a backup run reads of each source: which file or folder it reaches, and
// whether it is a file (see FileTree::IsFile).
struct PathTarget
{
    std::optional<FileIdentity> identity;
    bool isFile = false;
};

// Folders made below a root and held open: while the hold lives, none of
// them can be removed, renamed or swapped for a link where the platform
// allows it (Windows). Each platform's hold owns its own handles, so that
// whatever must let them go (a device about to be removed) finds all of them
// in one object.
class HeldFolders
{
  public:
    virtual ~HeldFolders() = default;
};

using FolderVisit = std::function<void(std::string_view name, const FileFacts& facts)>;

enum class CopyResult
{
    Copied,
    // Another program has the file open for writing: it may be half written.
    SourceBusy,
    Failed,
    // Another program holds the file at the place copied to open: it was left
    // as it was.
    TargetBusy,
    // The file at the place copied to could not be kept under its other name
    // (a share that refuses the swap, a folder that is full): it was left as
    // it was.
    NotKept,
};

// The bytes of a file, handed over a piece at a time, so that a text of
// megabytes need not be copied whole before it is written: each call returns
// the next piece, and an empty piece ends the file.
using NextPiece = std::function<std::string_view()>;

// The bytes as one piece: the first call returns them, every later one nothing.
inline NextPiece OnePiece(std::string_view bytes)
{
    return [bytes]() mutable { return std::exchange(bytes, {}); };
}

enum class ReadResult
{
    Read,
    Missing,
    // There, but it cannot be opened or read: locked without sharing, an I/O
    // error, no rights, a folder of that name. Never to be taken for empty.
    Unreadable,
};

// A file open for reading, its bytes taken a piece at a time.
class FileReader
{
  public:
    virtual ~FileReader() = default;
    // What the file held when it was opened; it may grow or shrink meanwhile.
    virtual std::uint64_t Size() = 0;
    // The next bytes, at most `size`, into `into`: how many, 0 at the end,
    // nothing when the read failed.
    virtual std::optional<std::size_t> Take(char* into, std::size_t size) = 0;
};

struct OpenedFile
{
    ReadResult result = ReadResult::Missing;
    // Only when read.
    std::unique_ptr<FileReader> reader;
};

// A file's bytes as one read took them.
struct FileBytes
{
    ReadResult result = ReadResult::Missing;
    // Only when read; no NUL follows them.
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
};

// Called after each piece a read takes: the bytes taken so far, how many, and
// the size the file had when it was opened. The bytes move when a file that
// grew meanwhile needs more room.
using PieceTaken = std::function<void(char* bytes, std::size_t taken, std::size_t size)>;

// Separator between a folder and a name in the paths this platform opens.
extern const char kPathSeparator;

// The one way the portable code reaches the file system: the platform's own
// calls in LocalFiles(), and fakes in the tests, which must see archive bits
// and files held open that Wine and POSIX do not keep.
class FileTree
{
  public:
    virtual ~FileTree() = default;

    // The facts of the file or folder at `path`, or nothing when there is none
    // or it cannot be reached (a path too long for the system included).
    virtual std::optional<FileFacts> Facts(const std::string& path) = 0;

    // Calls `visit` for each entry of the folder, "." and ".." left out. False
    // when the folder cannot be listed.
    virtual bool List(const std::string& folder, const FolderVisit& visit) = 0;

    // `List` for a folder where only the names that begin with `prefix` (as
    // the file system compares names) are wanted: those are all visited, and
    // others may be, for the caller to sort out. Saves reading the facts of
    // every other entry of a crowded folder.
    virtual bool ListStartingWith(const std::string& folder, std::string_view prefix,
                                  const FolderVisit& visit)
    {
        (void)prefix;
        return List(folder, visit);
    }

    // Whether the file system says that nothing is at `path`, and so nothing
    // below it either. False where it cannot tell: a folder the user may not
    // open can still hold a file the user may read.
    virtual bool IsAbsent(const std::string& path) = 0;

    // Whether the file system refused this user a look at `path` ("access
    // denied", a share that turned down the user's log-on): the path may
    // well be there, and asking again with the same rights gets nothing
    // more, while a share that counts the failed log-ons may lock the user
    // out. A file there whose bytes this user may not read is refused too;
    // one another program holds open is not.
    virtual bool IsDenied(const std::string& path) = 0;

    // Which file or folder the path reaches; nothing when there is none, or
    // when the file system gives it no id (many NAS answer zero): the text of
    // the path is all a caller can compare then.
    virtual std::optional<FileIdentity> Identity(const std::string& path) = 0;

    // Both in one look where the platform can: a list of many thousand sources
    // is read from the disk once.
    virtual PathTarget Target(const std::string& path) { return {Identity(path), IsFile(path)}; }

    // The path as every user's session names it: a path on a mapped network
    // drive ("M:\X") in its UNC form ("\\nas\home\X"); any other path as it is.
    virtual std::string UniversalName(const std::string& path) = 0;

    // Makes `path`, at or below the folder `root`, and the missing folders
    // between them, never through a reparse point: a folder below `root`
    // that is a junction or a symbolic link (someone with fewer rights may
    // have planted it) fails the call. Nothing when it fails; else the
    // folders below `root`, held until the hold is let go, so that the file
    // written into them goes where they were seen to be.
    [[nodiscard]] virtual std::unique_ptr<HeldFolders> MakeFoldersBelow(
        const std::string& root, const std::string& path) = 0;

    // Copies the file whole with its last-write time, as xcopy does, into a
    // folder that stands (made by MakeFoldersBelow, which follows no link).
    // The copy is written beside `to` and moved over
    // it: a copy cut short by the end of the session is never taken for a
    // whole one, which xcopy /d would then skip for ever. The copy is a plain
    // file, visible, as the "attrib -h" lines of backup.bat leave theirs.
    // The source is opened sharing reading, writing and deletion, so that
    // the user's program can save meanwhile: in place, or by moving the old
    // file away and a new one in, as ReplaceFile does (a rename straight over
    // a file that anyone holds open fails on Windows). A source that changed
    // while it was read (its size or last-write time, or the read itself) is
    // busy, and the old copy stays as it was. The new bytes are written to
    // UnfinishedCopyOf(to), which every walk of a backup skips.
    // With `keepAs` not empty, the file that stood at `to` is not lost but
    // moved to `keepAs` (on the same volume) in the same step as the new one
    // comes in, so that there is never a moment without either.
    virtual CopyResult Copy(const std::string& from, const std::string& to,
                            const std::string& keepAs) = 0;

    // Opens the file for reading, sharing it with every other program, which
    // may write, rename or remove it meanwhile.
    virtual OpenedFile OpenToRead(const std::string& path) = 0;

    // The file's bytes, whole; `taken` follows each piece, so that what splits
    // the bytes finds each one still in the processor's cache.
    FileBytes Read(const std::string& path, const PieceTaken& taken = {});

    // Makes an empty file where nothing stands, and leaves a file that stands
    // there as it is; true when a file stands there afterwards.
    virtual bool MakeFile(const std::string& path) = 0;

    // Gives the file another name on the same volume, never over anything
    // that stands there.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;

    // Removes the file (a link itself, never what it points to).
    virtual bool Remove(const std::string& path) = 0;

    // Writes the pieces into a temporary file beside `path`, flushes it to the
    // disk and moves it over `path`, so that a reader or a crash sees the old
    // file or the new one, never a part of either. Returns false, leaving
    // `path` as it was, on any failure. The temporary file is made new, never
    // opened through a link that stands in its place.
    virtual bool Replace(const std::string& path, const NextPiece& next) = 0;

    virtual bool ClearArchive(const std::string& path) = 0;

    // The bytes this user may still write on the volume that holds the
    // folder; nothing when it cannot be told.
    virtual std::optional<std::uint64_t> FreeSpace(const std::string& folder) = 0;

    // Whether another program holds the file so that it cannot be read: open
    // without sharing reading, or a range of it locked. POSIX has no such
    // locks.
    virtual bool HeldByAnotherProgram(const std::string& path) = 0;

    // The text in the letter case this file system ignores, so that two paths
    // naming the same file compare equal afterwards.
    virtual std::string FoldCase(std::string path) const = 0;

    CopyResult Copy(const std::string& from, const std::string& to)
    {
        return Copy(from, to, std::string());
    }

    // The same with the bytes in one piece.
    bool Replace(const std::string& path, std::string_view bytes)
    {
        return Replace(path, OnePiece(bytes));
    }

    bool IsFolder(const std::string& path)
    {
        const std::optional<FileFacts> facts = Facts(path);
        return facts && facts->isFolder;
    }

    // Whether the path names an existing file that is not a folder.
    bool IsFile(const std::string& path)
    {
        const std::optional<FileFacts> facts = Facts(path);
        return facts && !facts->isFolder;
    }
};

// A last-write time on the clock the user reads.
std::tm LocalTimeOf(FileTime time);

// The port on this platform's own calls.
FileTree& LocalFiles();

} // namespace platform
