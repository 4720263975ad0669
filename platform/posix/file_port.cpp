#include "platform/file_port.h"

#include "platform/file_system.h"

#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace platform
{
namespace
{

// POSIX keeps no archive attribute: every file counts as changed, as under
// Wine, and clearing finds nothing to clear. Names that begin with a dot are
// the ones its tools hide.
FileFacts FactsOf(const std::string& name, const struct stat& info)
{
    FileFacts facts;
    facts.isFolder = S_ISDIR(info.st_mode);
    facts.hidden = !name.empty() && name[0] == '.';
    facts.archive = !facts.isFolder;
    facts.size = static_cast<std::uint64_t>(info.st_size);
    facts.writeTime = static_cast<std::int64_t>(info.st_mtim.tv_sec) * kTicksPerSecond +
                      info.st_mtim.tv_nsec / 100;
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
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int Get() const { return m_fd; }
    bool Close() { return ::close(std::exchange(m_fd, -1)) == 0; }

  private:
    int m_fd;
};

bool CopyContent(int from, int to)
{
    char buffer[1 << 16];
    for (;;)
    {
        const ssize_t read = ::read(from, buffer, sizeof buffer);
        if (read <= 0)
            return read == 0;
        for (ssize_t done = 0; done < read;)
        {
            const ssize_t written = ::write(to, buffer + done, static_cast<size_t>(read - done));
            if (written <= 0)
                return false;
            done += written;
        }
    }
}

class PosixFiles : public FilePort
{
  public:
    std::optional<FileFacts> Facts(const std::string& path) override
    {
        struct stat info;
        if (::stat(path.c_str(), &info) != 0)
            return std::nullopt;
        const size_t slash = path.rfind('/');
        return FactsOf(slash == std::string::npos ? path : path.substr(slash + 1), info);
    }

    std::vector<FolderEntry> List(const std::string& folder) override
    {
        std::vector<FolderEntry> entries;
        DIR* const directory = ::opendir(folder.c_str());
        if (!directory)
            return entries;
        while (const dirent* entry = ::readdir(directory))
        {
            const std::string name = entry->d_name;
            struct stat info;
            if (name != "." && name != ".." && ::stat((folder + '/' + name).c_str(), &info) == 0)
                entries.push_back({name, FactsOf(name, info)});
        }
        ::closedir(directory);
        return entries;
    }

    CopyResult CopyKeepingTime(const std::string& from, const std::string& to) override
    {
        // No write lock here to tell a file still being written.
        Descriptor source(::open(from.c_str(), O_RDONLY));
        struct stat info;
        if (source.Get() < 0 || ::fstat(source.Get(), &info) != 0)
            return CopyResult::Failed;
        const size_t slash = to.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : to.substr(0, slash);
        MakeFolders(folder);
        std::string partial = folder + "/.corXXXXXX";
        Descriptor copy(::mkstemp(partial.data()));
        if (copy.Get() < 0)
            return CopyResult::Failed;
        const struct timespec times[2] = {info.st_atim, info.st_mtim};
        // mkstemp makes the file readable by its owner alone.
        const bool whole = CopyContent(source.Get(), copy.Get()) &&
                           ::fchmod(copy.Get(), info.st_mode & 07777) == 0 &&
                           ::futimens(copy.Get(), times) == 0;
        if (!copy.Close() || !whole || std::rename(partial.c_str(), to.c_str()) != 0)
        {
            std::remove(partial.c_str());
            return CopyResult::Failed;
        }
        return CopyResult::Copied;
    }

    bool ClearArchiveBit(const std::string& path) override { return Facts(path).has_value(); }
};

} // namespace

FilePort& LocalFiles()
{
    static PosixFiles files;
    return files;
}

} // namespace platform
