#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform
{

// File times count 100-nanosecond ticks, as Windows keeps them.
constexpr std::int64_t kTicksPerSecond = 10'000'000;

// What the companions' copy decisions read of a file or folder.
struct FileFacts
{
    bool isFolder = false;
    // Hidden or system: xcopy copies such a file, and anything in such a
    // folder, only on its lines with /h.
    bool hidden = false;
    // Set by Windows whenever the file is written; xcopy /M copies only files
    // that have it and clears it.
    bool archive = false;
    std::uint64_t size = 0;
    // The last write, in ticks; only ever compared with other times.
    std::int64_t writeTime = 0;
};

struct FolderEntry
{
    std::string name;
    FileFacts facts;
};

enum class CopyResult
{
    Copied,
    // Another program has the file open for writing: it may be half written.
    SourceBusy,
    Failed,
};

// The file calls of the companions' own copying, as a port: tests fake it,
// since Wine keeps no archive bit and POSIX no hidden attribute or write lock.
class FilePort
{
  public:
    virtual ~FilePort() = default;

    // std::nullopt when the path names nothing.
    virtual std::optional<FileFacts> Facts(const std::string& path) = 0;
    // Every name in the folder but "." and ".."; nothing for a folder that
    // cannot be read.
    virtual std::vector<FolderEntry> List(const std::string& folder) = 0;
    // Copies the file whole with its last-write time, as xcopy does, into the
    // folders it makes for it. The copy is written beside `to` and moved over
    // it: a copy cut short by the end of the session is never taken for a
    // whole one, which xcopy /d would then skip for ever.
    virtual CopyResult CopyKeepingTime(const std::string& from, const std::string& to) = 0;
    virtual bool ClearArchiveBit(const std::string& path) = 0;
};

// This platform's own calls.
FilePort& LocalFiles();

} // namespace platform
