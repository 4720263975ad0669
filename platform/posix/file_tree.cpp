#include "platform/file_tree.h"

#include "platform/path_text.h"
#include "platform/text_case.h"
#include "platform/unfinished_copy.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <utility>

namespace platform
{
namespace
{

FileFacts FactsFrom(const struct stat& info, std::string_view name, bool isLink)
{
    FileFacts facts;
    facts.isFolder = S_ISDIR(info.st_mode);
    facts.isLink = isLink;
    facts.hidden = !name.empty() && name.front() == '.';
    // No archive attribute here: every file counts as changed, as under
    // Wine, and clearing finds nothing to clear.
    facts.archive = !facts.isFolder;
    facts.size = facts.isFolder ? 0 : static_cast<std::uint64_t>(info.st_size);
    facts.lastWrite = std::chrono::duration_cast<FileTime>(
        std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec));
    return facts;
}

class Descriptor
{
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return m_fd; }
    bool Close() { return ::close(std::exchange(m_fd, -1)) == 0; }

  private:
    int m_fd;
};

class DescriptorReader final : public FileReader
{
  public:
    DescriptorReader(Descriptor file, std::uint64_t size) : m_file(std::move(file)), m_size(size) {}

    std::uint64_t Size() override { return m_size; }

    std::optional<size_t> Take(char* into, size_t size) override
    {
        ssize_t n;
        do
            n = ::read(m_file.Get(), into, size);
        while (n < 0 && errno == EINTR);
        return n < 0 ? std::nullopt : std::optional<size_t>(static_cast<size_t>(n));
    }

  private:
    Descriptor m_file;
    std::uint64_t m_size;
};

enum class Transfer
{
    Done,
    ReadFailed,
    WriteFailed,
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty())
    {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

Transfer CopyContent(int from, int to, std::uint64_t& copied)
{
    char buffer[1 << 16];
    for (;;)
    {
        const ssize_t read = ::read(from, buffer, sizeof buffer);
        if (read <= 0)
            return read == 0 ? Transfer::Done : Transfer::ReadFailed;
        if (!WriteAll(to, std::string_view(buffer, static_cast<size_t>(read))))
            return Transfer::WriteFailed;
        copied += static_cast<std::uint64_t>(read);
    }
}

enum class Moved
{
    Done,
    NotWritten,
    // The old file could not get its second name: nothing was changed.
    NotKept,
};

// Writes a file's bytes beside `target` under a temporary name and moves
// them over it, so that nothing reads or keeps a file cut short. With
// `keepAs`, the file at `target` gets that name too before the move, so that
// one of the two always stands at `target`.
template <typename Write>
Moved WriteThenMove(const std::string& target, const std::string& temporary, bool durable,
                    mode_t mode, Write write, const std::string& keepAs = {})
{
    // The temporary is made new, and fails on anything that stands there: a
    // stale temporary, or a link planted in its place, is removed (removing
    // a link never touches what it points to) and the temporary made once
    // more. The rename replaces the entry at `target`, a link there included,
    // and follows none.
    const auto create = [&] {
        return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      mode);
    };
    int created = create();
    if (created < 0 && errno == EEXIST && ::unlink(temporary.c_str()) == 0)
        created = create();
    Descriptor file(created);
    if (file.Get() < 0)
        return Moved::NotWritten;
    const bool written = write(file.Get()) && (!durable || ::fsync(file.Get()) == 0);
    if (!file.Close() || !written)
    {
        std::remove(temporary.c_str());
        return Moved::NotWritten;
    }
    // The second name never goes over anything standing there. Only a missing
    // old file has nothing to keep: a missing folder for the second name
    // fails the link as a missing file does, and must leave the old file.
    const bool kept = !keepAs.empty() && ::link(target.c_str(), keepAs.c_str()) == 0;
    struct stat old;
    if (!keepAs.empty() && !kept && ::lstat(target.c_str(), &old) == 0)
    {
        std::remove(temporary.c_str());
        return Moved::NotKept;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0)
    {
        if (kept)
            ::unlink(keepAs.c_str());
        std::remove(temporary.c_str());
        return Moved::NotWritten;
    }
    return Moved::Done;
}

class LocalFileTree final : public FileTree
{
  public:
    // The entry itself first: only a link needs a second look, at what it
    // points to (nothing, for a dangling one).
    std::optional<FileFacts> Facts(const std::string& path) override
    {
        struct stat info;
        if (::lstat(path.c_str(), &info) != 0)
            return std::nullopt;
        const bool isLink = S_ISLNK(info.st_mode);
        if (isLink && ::stat(path.c_str(), &info) != 0)
            return std::nullopt;
        return FactsFrom(info, LastComponent(path), isLink);
    }

    bool List(const std::string& folder, const FolderVisit& visit) override
    {
        return ListStartingWith(folder, {}, visit);
    }

    bool ListStartingWith(const std::string& folder, std::string_view prefix,
                          const FolderVisit& visit) override
    {
        const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
        if (!dir)
            return false;
        const int fd = ::dirfd(dir.get());
        const std::string foldedPrefix = FoldCase(std::string(prefix));
        // Each name's beginning is folded in this one buffer, never in a new string.
        std::string head;
        while (const dirent* entry = ::readdir(dir.get()))
        {
            const std::string_view name = entry->d_name;
            if (name == "." || name == "..")
                continue;
            if (!prefix.empty())
            {
                head.assign(name.substr(0, prefix.size()));
                head = FoldCase(std::move(head));
                if (head != foldedPrefix)
                    continue;
            }
            bool isLink = entry->d_type == DT_LNK;
            struct stat info;
            if (entry->d_type == DT_UNKNOWN &&
                ::fstatat(fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0)
                isLink = S_ISLNK(info.st_mode);
            // A dangling link is no file a copy could take.
            if (::fstatat(fd, entry->d_name, &info, 0) == 0)
                visit(name, FactsFrom(info, name, isLink));
        }
        return true;
    }

    bool IsAbsent(const std::string& path) override
    {
        struct stat info;
        return ::stat(path.c_str(), &info) != 0 && (errno == ENOENT || errno == ENOTDIR);
    }

    bool IsDenied(const std::string& path) override
    {
        struct stat info;
        if (::stat(path.c_str(), &info) == 0)
            return !S_ISDIR(info.st_mode) && ::access(path.c_str(), R_OK) != 0 && errno == EACCES;
        return errno == EACCES || errno == EPERM;
    }

    std::optional<FileIdentity> Identity(const std::string& path) override
    {
        struct stat info;
        if (::stat(path.c_str(), &info) != 0)
            return std::nullopt;
        return FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                            static_cast<std::uint64_t>(info.st_ino)};
    }

    // stat follows links, as Facts and Identity do.
    PathTarget Target(const std::string& path) override
    {
        struct stat info;
        if (::stat(path.c_str(), &info) != 0)
            return {};
        return {FileIdentity{static_cast<std::uint64_t>(info.st_dev),
                             static_cast<std::uint64_t>(info.st_ino)},
                !S_ISDIR(info.st_mode)};
    }

    // No drive letters here: every session names a path alike.
    std::string UniversalName(const std::string& path) override { return path; }

    // POSIX has no way to keep a folder from being renamed: the hold holds nothing.
    std::unique_ptr<HeldFolders> MakeFoldersBelow(const std::string& root,
                                                  const std::string& path) override
    {
        // A folder below the root is looked at through it, which fails where
        // the root is no folder: only the root alone takes a look of its own.
        if (!IsAtOrBelowFolder(path, root) || (!IsBelowFolder(path, root) && !IsFolder(root)))
            return nullptr;
        // Each folder after the root in turn: made when missing, then seen
        // to be a folder itself, not a link to one. One that stands already
        // (the common case) takes a single look.
        for (size_t slash = path.find('/', root.size() + 1);; slash = path.find('/', slash + 1))
        {
            const std::string folder = path.substr(0, slash);
            struct stat own;
            if (folder.size() > root.size() &&
                ((::lstat(folder.c_str(), &own) != 0 &&
                  (::mkdir(folder.c_str(), 0755), ::lstat(folder.c_str(), &own) != 0)) ||
                 !S_ISDIR(own.st_mode)))
                return nullptr;
            if (slash == std::string::npos)
                return std::make_unique<HeldFolders>();
        }
    }

    CopyResult Copy(const std::string& from, const std::string& to,
                    const std::string& keepAs) override
    {
        // No sharing modes here: the user's program can always write the file
        // meanwhile, and a write while the bytes were read shows in the size
        // or the last-write time, or makes the read fail.
        Descriptor source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
        struct stat before;
        if (source.Get() < 0 || ::fstat(source.Get(), &before) != 0)
            return CopyResult::Failed;
        const struct timespec times[2] = {before.st_atim, before.st_mtim};
        bool changed = false;
        const auto write = [&](int copy) {
            std::uint64_t bytes = 0;
            const Transfer transfer = CopyContent(source.Get(), copy, bytes);
            struct stat after;
            changed = transfer == Transfer::ReadFailed || ::fstat(source.Get(), &after) != 0 ||
                      after.st_size != before.st_size ||
                      bytes != static_cast<std::uint64_t>(before.st_size) ||
                      after.st_mtim.tv_sec != before.st_mtim.tv_sec ||
                      after.st_mtim.tv_nsec != before.st_mtim.tv_nsec;
            return transfer == Transfer::Done && !changed && ::futimens(copy, times) == 0;
        };
        switch (
            WriteThenMove(to, UnfinishedCopyOf(to), false, before.st_mode & 07777, write, keepAs))
        {
        case Moved::Done:
            return CopyResult::Copied;
        case Moved::NotKept:
            return CopyResult::NotKept;
        case Moved::NotWritten:
            break;
        }
        return changed ? CopyResult::SourceBusy : CopyResult::Failed;
    }

    bool Replace(const std::string& path, const NextPiece& next) override
    {
        const auto write = [&next](int fd) {
            for (std::string_view piece = next(); !piece.empty(); piece = next())
            {
                if (!WriteAll(fd, piece))
                    return false;
            }
            return true;
        };
        return WriteThenMove(path, path + ".tmp", true, 0644, write) == Moved::Done;
    }

    OpenedFile OpenToRead(const std::string& path) override
    {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return {errno == ENOENT ? ReadResult::Missing : ReadResult::Unreadable, {}};
        Descriptor file(fd);
        struct stat info;
        // A folder opens here, but holds no bytes to read.
        if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode))
            return {ReadResult::Unreadable, {}};
        return {ReadResult::Read, std::make_unique<DescriptorReader>(
                                      std::move(file), static_cast<std::uint64_t>(info.st_size))};
    }

    bool MakeFile(const std::string& path) override
    {
        Descriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644));
        return file.Get() >= 0;
    }

    // A second name, which never replaces anything, then the first one gone.
    bool Rename(const std::string& from, const std::string& to) override
    {
        return ::link(from.c_str(), to.c_str()) == 0 && ::unlink(from.c_str()) == 0;
    }

    bool Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

    // No archive attribute here: there is nothing to clear.
    bool ClearArchive(const std::string& path) override { return Facts(path).has_value(); }

    std::optional<std::uint64_t> FreeSpace(const std::string& folder) override
    {
        struct statvfs volume;
        if (::statvfs(folder.c_str(), &volume) != 0)
            return std::nullopt;
        return std::uint64_t{volume.f_bavail} * volume.f_frsize;
    }

    bool HeldByAnotherProgram(const std::string&) override { return false; }

    std::string FoldCase(std::string path) const override { return UpperCasePath(std::move(path)); }
};

} // namespace

const char kPathSeparator = '/';

std::tm LocalTimeOf(FileTime time)
{
    const std::time_t seconds =
        static_cast<std::time_t>(std::chrono::duration_cast<std::chrono::seconds>(time).count());
    std::tm local{};
    ::localtime_r(&seconds, &local);
    return local;
}

FileTree& LocalFiles()
{
    static LocalFileTree files;
    return files;
}

} // namespace platform
