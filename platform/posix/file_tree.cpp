#include "platform/file_tree.h"

#include "platform/file_system.h"
#include "platform/path_text.h"

#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
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

} // namespace

std::optional<FileFacts> FactsOf(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    struct stat own;
    const bool isLink = ::lstat(path.c_str(), &own) == 0 && S_ISLNK(own.st_mode);
    return FactsFrom(info, LastComponent(path), isLink);
}

bool ListFolder(const std::string& folder, const FolderVisit& visit)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir)
        return false;
    const int fd = ::dirfd(dir.get());
    while (const dirent* entry = ::readdir(dir.get()))
    {
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..")
            continue;
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

bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0755);
    ::mkdir(path.c_str(), 0755);
    return DirectoryExists(path);
}

CopyResult CopyKeepingTime(const std::string& from, const std::string& to)
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

bool ClearArchiveBit(const std::string& path)
{
    return FactsOf(path).has_value();
}

std::string ExpandEnvironment(const std::string& text)
{
    std::string expanded;
    size_t start = 0;
    for (size_t open = text.find('%'); open != std::string::npos; open = text.find('%', start))
    {
        const size_t close = text.find('%', open + 1);
        if (close == std::string::npos)
            break;
        const char* value = std::getenv(text.substr(open + 1, close - open - 1).c_str());
        if (!value)
        {
            // Not a variable: the second "%" may open the next one.
            expanded.append(text, start, close - start);
            start = close;
            continue;
        }
        expanded.append(text, start, open - start).append(value);
        start = close + 1;
    }
    return expanded.append(text, start, std::string::npos);
}

} // namespace platform
