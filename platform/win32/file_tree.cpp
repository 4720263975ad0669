#include "platform/file_tree.h"

#include "platform/path_text.h"
#include "platform/text_case.h"
#include "platform/unfinished_copy.h"
#include "platform/win32/fat_time.h"
#include "platform/win32/handle.h"
#include "platform/win32/opportunistic_lock.h"
#include "platform/win32/system_function.h"
#include "platform/win32/wide_text.h"
#include "platform/yielding_read.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>
#include <windows.h>
// After windows.h: the network calls need its types.
#include <winnetwk.h>

namespace platform
{
namespace
{

// The wide form with the "\\?\" prefix, so that a path longer than MAX_PATH
// still opens: the walk must see files that the copy cannot reach, to name
// them. The prefix takes only absolute paths; others go as they are.
std::wstring LongPath(const std::string& path)
{
    std::wstring wide = WideFromPath(path);
    if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\')
        return L"\\\\?\\" + wide;
    if (wide.size() >= 3 && wide[0] == L'\\' && wide[1] == L'\\' && wide[2] != L'?')
        return L"\\\\?\\UNC\\" + wide.substr(2);
    return wide;
}

FileFacts FactsFrom(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& written)
{
    FileFacts facts;
    facts.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    facts.hidden = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    facts.archive = (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0;
    facts.size = facts.isFolder ? 0 : (std::uint64_t{sizeHigh} << 32 | sizeLow);
    facts.lastWrite = FileTime(static_cast<std::int64_t>(
        std::uint64_t{written.dwHighDateTime} << 32 | written.dwLowDateTime));
    return facts;
}

class HandleReader final : public FileReader
{
  public:
    HandleReader(Handle file, std::uint64_t size) : m_file(std::move(file)), m_size(size) {}

    std::uint64_t Size() override { return m_size; }

    std::optional<size_t> Take(char* into, size_t size) override
    {
        DWORD read = 0;
        if (!ReadFile(m_file.Get(), into, static_cast<DWORD>(std::min<size_t>(size, 1u << 30)),
                      &read, nullptr))
            return std::nullopt;
        return read;
    }

  private:
    Handle m_file;
    std::uint64_t m_size;
};

enum class Transfer
{
    Done,
    ReadFailed,
    WriteFailed,
};

bool WriteAll(HANDLE file, std::string_view bytes)
{
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Reads through `reading`, which fails every read once the file was let go.
Transfer CopyContent(YieldingRead& reading, const Handle& from, HANDLE to, std::uint64_t& copied)
{
    std::vector<char> buffer(size_t{1} << 20);
    for (;;)
    {
        DWORD read = 0;
        if (!reading.Read([&] {
                return ReadFile(from.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read,
                                nullptr) != FALSE;
            }))
            return Transfer::ReadFailed;
        if (read == 0)
            return Transfer::Done;
        if (!WriteAll(to, std::string_view(buffer.data(), read)))
            return Transfer::WriteFailed;
        copied += read;
    }
}

std::uint64_t SizeOf(const BY_HANDLE_FILE_INFORMATION& information)
{
    return std::uint64_t{information.nFileSizeHigh} << 32 | information.nFileSizeLow;
}

enum class Moved
{
    Done,
    NotWritten,
    // Another program holds the file at the target open.
    TargetBusy,
    // The old file could not be kept under its other name.
    NotKept,
};

// Whether another program holds the file open without letting it be moved:
// a move over it then fails, though the folder may be written.
bool HeldOpen(const std::wstring& path)
{
    const Handle file(CreateFileW(path.c_str(), DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    return !file.IsOpen() && GetLastError() == ERROR_SHARING_VIOLATION;
}

// Swaps the temporary in for the target and keeps the target as `keepAs` in
// the one call that leaves no moment without either.
Moved SwapIn(const std::wstring& temporary, const std::wstring& target, const std::wstring& keepAs)
{
    // The swap would write over a file standing at the other name.
    if (GetFileAttributesW(keepAs.c_str()) != INVALID_FILE_ATTRIBUTES)
        return Moved::NotKept;
    if (ReplaceFileW(target.c_str(), temporary.c_str(), keepAs.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                     nullptr))
        return Moved::Done;
    switch (GetLastError())
    {
    case ERROR_FILE_NOT_FOUND:
        // Nothing stood there to keep.
        return MoveFileExW(temporary.c_str(), target.c_str(), 0) ? Moved::Done : Moved::NotWritten;
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:
        // The old file has its other name already, and the target is empty:
        // the new one goes in, or else the old one goes back.
        if (MoveFileExW(temporary.c_str(), target.c_str(), 0))
            return Moved::Done;
        MoveFileExW(keepAs.c_str(), target.c_str(), 0);
        return Moved::NotKept;
    default:
        return HeldOpen(target) ? Moved::TargetBusy : Moved::NotKept;
    }
}

// Writes a file's bytes beside `target` under a temporary name and moves
// them over it, so that nothing reads or keeps a file cut short. The
// temporary is opened without sharing: two writers of one file never mix
// their bytes, the second fails instead.
template <typename Write>
Moved WriteThenMove(const std::wstring& target, const std::wstring& temporary, bool durable,
                    Write write, const std::wstring& keepAs = {})
{
    // A stale temporary, or a link planted in its place, goes first (deleting
    // a link never touches what it points to); then the temporary is made
    // new, and fails on anything that still stands there. The move replaces
    // the entry at `target`, a link there included, and follows none.
    DeleteFileW(temporary.c_str());
    Handle file(CreateFileW(
        temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file.IsOpen())
        return Moved::NotWritten;
    const bool written = write(file.Get()) && (!durable || FlushFileBuffers(file.Get()));
    Moved moved = Moved::NotWritten;
    if (file.Close() && written)
    {
        if (!keepAs.empty())
            moved = SwapIn(temporary, target, keepAs);
        else if (MoveFileExW(temporary.c_str(), target.c_str(),
                             MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0)))
            moved = Moved::Done;
        else if (HeldOpen(target))
            moved = Moved::TargetBusy;
    }
    if (moved != Moved::Done)
        DeleteFileW(temporary.c_str());
    return moved;
}

bool IsPlainFolder(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
               FILE_ATTRIBUTE_DIRECTORY;
}

struct FolderHandles final : HeldFolders
{
    std::vector<Handle> handles;
};

class LocalFileTree final : public FileTree
{
  public:
    std::optional<FileFacts> Facts(const std::string& path) override
    {
        const std::wstring wide = LongPath(path);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data))
            return std::nullopt;
        return FactsFrom(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                         TrueTimeAt(wide, data.ftLastWriteTime));
    }

    bool List(const std::string& folder, const FolderVisit& visit) override
    {
        return ListStartingWith(folder, {}, visit);
    }

    // Names hold no wildcards, so "<prefix>*" asks for just those; the short
    // names the system matches as well only add entries.
    bool ListStartingWith(const std::string& folder, std::string_view prefix,
                          const FolderVisit& visit) override
    {
        std::wstring pattern = LongPath(folder);
        if (!pattern.empty() && pattern.back() != L'\\')
            pattern += L'\\';
        pattern += WideFromPath(prefix);
        pattern += L'*';
        WIN32_FIND_DATAW data;
        // The basic information leaves out the short names, which nobody here reads.
        HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE)
            return GetLastError() == ERROR_FILE_NOT_FOUND;
        // Every entry lies on the folder's volume.
        const std::optional<ClockRule> fat =
            IsOnFatVolume(pattern) ? std::optional(CurrentClockRule()) : std::nullopt;
        do
        {
            const std::wstring_view name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            visit(
                PathFromWide(name),
                FactsFrom(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                          fat ? TrueTimeOfFat(data.ftLastWriteTime, *fat) : data.ftLastWriteTime));
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return true;
    }

    bool IsAbsent(const std::string& path) override
    {
        if (GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES)
            return false;
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    }

    bool IsDenied(const std::string& path) override
    {
        const std::wstring wide = LongPath(path);
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES)
        {
            if (attributes & FILE_ATTRIBUTE_DIRECTORY)
                return false;
            // A file whose attributes anyone may read can still refuse this
            // user its bytes; one held open without sharing answers with a
            // sharing violation instead, and is no refusal.
            const Handle file(CreateFileW(wide.c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, 0, nullptr));
            return !file.IsOpen() && GetLastError() == ERROR_ACCESS_DENIED;
        }
        switch (GetLastError())
        {
        case ERROR_ACCESS_DENIED:
        case ERROR_NETWORK_ACCESS_DENIED:
        case ERROR_LOGON_FAILURE:
        case ERROR_ACCOUNT_RESTRICTION:
        case ERROR_ACCOUNT_DISABLED:
        case ERROR_ACCOUNT_EXPIRED:
        case ERROR_ACCOUNT_LOCKED_OUT:
        case ERROR_PASSWORD_EXPIRED:
        case ERROR_SESSION_CREDENTIAL_CONFLICT:
            return true;
        default:
            return false;
        }
    }

    std::optional<FileIdentity> Identity(const std::string& path) override
    {
        // No access asked: any file or folder opens, whoever holds it.
        const Handle file(CreateFileW(LongPath(path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (!file.IsOpen())
            return std::nullopt;
        FileIdentity identity;
        FILE_ID_INFO id;
        BY_HANDLE_FILE_INFORMATION information;
        // The 128-bit id where the system has it (Windows 8 and later), else
        // the 64-bit index.
        if (GetFileInformationByHandleEx(file.Get(), FileIdInfo, &id, sizeof id))
        {
            identity.volume = id.VolumeSerialNumber;
            std::memcpy(&identity.file, id.FileId.Identifier, sizeof identity.file);
            std::memcpy(&identity.fileHigh, id.FileId.Identifier + sizeof identity.file,
                        sizeof identity.fileHigh);
        }
        else if (GetFileInformationByHandle(file.Get(), &information))
            identity = {information.dwVolumeSerialNumber,
                        std::uint64_t{information.nFileIndexHigh} << 32 |
                            information.nFileIndexLow};
        if (identity.file == 0 && identity.fileHigh == 0)
            return std::nullopt;
        return identity;
    }

    std::string UniversalName(const std::string& path) override
    {
        static const auto universalName =
            SystemFunction<decltype(&WNetGetUniversalNameW)>("mpr.dll", "WNetGetUniversalNameW");
        // The structure the call writes at its start, and its texts after it.
        alignas(UNIVERSAL_NAME_INFOW) char buffer[8192];
        DWORD size = sizeof buffer;
        if (universalName == nullptr ||
            universalName(WideFromPath(path).c_str(), UNIVERSAL_NAME_INFO_LEVEL, buffer, &size) !=
                NO_ERROR)
            return path;
        return PathFromWide(reinterpret_cast<const UNIVERSAL_NAME_INFOW*>(buffer)->lpUniversalName);
    }

    std::unique_ptr<HeldFolders> MakeFoldersBelow(const std::string& root,
                                                  const std::string& path) override
    {
        if (!IsFolder(root) || !IsAtOrBelowFolder(path, root))
            return nullptr;
        // The folders between the root and the path, the deepest first, found
        // by character: a second byte 0x5C is no separator.
        std::vector<std::string> below;
        std::string folder = path;
        // A trailing separator names the same folder, which must be made too.
        while (folder.size() > root.size() && EndsWithSeparator(folder))
            folder.pop_back();
        while (folder.size() > root.size() && !EndsWithSeparator(folder))
        {
            const size_t separator = FindLastSeparator(folder);
            below.push_back(folder);
            if (separator == std::string::npos)
                break;
            folder.resize(separator);
        }
        // Each in turn from the root: made when missing, then opened as it
        // stands, a link not followed, and seen to be a folder itself, not a
        // junction or a link. Each stays open without sharing deletion while
        // the hold lives, so that nobody can swap it for a junction meanwhile.
        auto held = std::make_unique<FolderHandles>();
        for (auto folder = below.rbegin(); folder != below.rend(); ++folder)
        {
            const std::wstring wide = LongPath(*folder);
            CreateDirectoryW(wide.c_str(), nullptr);
            Handle opened(CreateFileW(
                wide.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            BY_HANDLE_FILE_INFORMATION information;
            if (!opened.IsOpen() || !GetFileInformationByHandle(opened.Get(), &information) ||
                !IsPlainFolder(information.dwFileAttributes) ||
                // Wine opens what a link of its own file system points to and
                // says so only by the path. The entry is held: it is the one seen.
                !IsPlainFolder(GetFileAttributesW(wide.c_str())))
                return nullptr;
            held->handles.push_back(std::move(opened));
        }
        return held;
    }

    CopyResult Copy(const std::string& from, const std::string& to,
                    const std::string& keepAs) override
    {
        // Sharing everything, so that the user's program can write the file
        // meanwhile, or move it away to put a new one in its place.
        const std::wstring wideFrom = LongPath(from), target = LongPath(to);
        // Before the lock, whose break closes the source from a thread of its
        // own until the lock ends.
        YieldingRead reading;
        Handle source;
        // Where the file system grants one, the copy holds a lock that breaks
        // the moment another program wants the file to write, rename over or
        // delete: the copy then gives way at once and is tried again later.
        // The bytes are read through a handle of their own: one opened for
        // the lock's overlapped use keeps no file position.
        OpportunisticLock lock(wideFrom);
        if (lock.Granted() == OpportunisticLock::Grant::Refused)
            return CopyResult::SourceBusy;
        source = Handle(CreateFileW(wideFrom.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!source.IsOpen())
        {
            const DWORD error = GetLastError();
            return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
                       ? CopyResult::SourceBusy
                       : CopyResult::Failed;
        }
        BY_HANDLE_FILE_INFORMATION before;
        if (!GetFileInformationByHandle(source.Get(), &before))
            return CopyResult::Failed;
        // The source first, then the lock's handle: a rename over the file
        // fails while any handle is open on it.
        lock.OnBreak([&reading, &source] { reading.GiveWay([&source] { source.Close(); }); });
        // A write while the bytes were read shows in the size or the
        // last-write time, or makes the read fail (a locked range).
        bool changed = false;
        const auto write = [&](HANDLE copy) {
            std::uint64_t bytes = 0;
            const Transfer transfer = CopyContent(reading, source, copy, bytes);
            BY_HANDLE_FILE_INFORMATION after;
            changed = transfer == Transfer::ReadFailed || !reading.Read([&] {
                return GetFileInformationByHandle(source.Get(), &after) != FALSE;
            }) || SizeOf(after) != SizeOf(before) ||
                      bytes != SizeOf(before) ||
                      CompareFileTime(&after.ftLastWriteTime, &before.ftLastWriteTime) != 0;
            // The moment the file was written, as each volume keeps it.
            const FILETIME written =
                TimeToSetAt(target, TrueTimeAt(wideFrom, before.ftLastWriteTime));
            return transfer == Transfer::Done && !changed &&
                   SetFileTime(copy, nullptr, nullptr, &written);
        };
        switch (WriteThenMove(target, LongPath(UnfinishedCopyOf(to)), false, write,
                              keepAs.empty() ? std::wstring() : LongPath(keepAs)))
        {
        case Moved::Done:
            return CopyResult::Copied;
        case Moved::TargetBusy:
            return CopyResult::TargetBusy;
        case Moved::NotKept:
            return CopyResult::NotKept;
        case Moved::NotWritten:
            break;
        }
        return changed ? CopyResult::SourceBusy : CopyResult::Failed;
    }

    bool Replace(const std::string& path, const NextPiece& next) override
    {
        const auto write = [&next](HANDLE file) {
            for (std::string_view piece = next(); !piece.empty(); piece = next())
            {
                if (!WriteAll(file, piece))
                    return false;
            }
            return true;
        };
        const std::wstring target = LongPath(path);
        return WriteThenMove(target, target + L".tmp", true, write) == Moved::Done;
    }

    OpenedFile OpenToRead(const std::string& path) override
    {
        Handle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!file.IsOpen())
        {
            const DWORD error = GetLastError();
            return {error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                        ? ReadResult::Missing
                        : ReadResult::Unreadable,
                    {}};
        }
        // A folder of that name holds no bytes to read.
        BY_HANDLE_FILE_INFORMATION information;
        if (!GetFileInformationByHandle(file.Get(), &information) ||
            (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return {ReadResult::Unreadable, {}};
        return {ReadResult::Read,
                std::make_unique<HandleReader>(std::move(file), SizeOf(information))};
    }

    bool MakeFile(const std::string& path) override
    {
        const Handle file(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        return file.IsOpen();
    }

    bool Rename(const std::string& from, const std::string& to) override
    {
        return MoveFileExW(LongPath(from).c_str(), LongPath(to).c_str(), 0) != FALSE;
    }

    bool Remove(const std::string& path) override
    {
        return DeleteFileW(LongPath(path).c_str()) != FALSE;
    }

    bool ClearArchive(const std::string& path) override
    {
        const std::wstring wide = LongPath(path);
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return false;
        if (!(attributes & FILE_ATTRIBUTE_ARCHIVE))
            return true;
        // No attribute left must be said as FILE_ATTRIBUTE_NORMAL.
        const DWORD rest = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
        return SetFileAttributesW(wide.c_str(), rest ? rest : FILE_ATTRIBUTE_NORMAL) != FALSE;
    }

    std::optional<std::uint64_t> FreeSpace(const std::string& folder) override
    {
        // A share's root is named with its closing backslash.
        std::wstring wide = WideFromPath(folder);
        if (!wide.empty() && wide.back() != L'\\')
            wide += L'\\';
        ULARGE_INTEGER available;
        if (!GetDiskFreeSpaceExW(wide.c_str(), &available, nullptr, nullptr))
            return std::nullopt;
        return available.QuadPart;
    }

    bool HeldByAnotherProgram(const std::string& path) override
    {
        const Handle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file.IsOpen())
        {
            const DWORD error = GetLastError();
            return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
        }
        // Opened, but its first bytes locked by the program that holds it.
        char byte = 0;
        DWORD read = 0;
        return !ReadFile(file.Get(), &byte, 1, &read, nullptr) &&
               GetLastError() == ERROR_LOCK_VIOLATION;
    }

    std::string FoldCase(std::string path) const override { return UpperCasePath(std::move(path)); }
};

} // namespace

const char kPathSeparator = '\\';

std::tm LocalTimeOf(FileTime time)
{
    const std::uint64_t ticks = static_cast<std::uint64_t>(time.count());
    const FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    // With the daylight saving time of that day, not of today.
    SYSTEMTIME universal{};
    SYSTEMTIME clock{};
    if (FileTimeToSystemTime(&utc, &universal))
        SystemTimeToTzSpecificLocalTime(nullptr, &universal, &clock);
    std::tm tm{};
    tm.tm_year = clock.wYear - 1900;
    tm.tm_mon = clock.wMonth - 1;
    tm.tm_mday = clock.wDay;
    tm.tm_hour = clock.wHour;
    tm.tm_min = clock.wMinute;
    tm.tm_sec = clock.wSecond;
    tm.tm_wday = clock.wDayOfWeek;
    return tm;
}

FileTree& LocalFiles()
{
    static LocalFileTree files;
    return files;
}

} // namespace platform
