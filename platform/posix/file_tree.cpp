#include "platform/file_tree.h"

#include "platform/file_system.h"

#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>

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
    facts.size = facts.isFolder ? 0 : static_cast<std::uint64_t>(info.st_size);
    facts.lastWrite = std::chrono::duration_cast<FileTime>(
        std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec));
    return facts;
}

std::string_view NameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
    return slash == std::string::npos ? std::string_view(path)
                                      : std::string_view(path).substr(slash + 1);
}

} // namespace

std::optional<FileFacts> FactsOf(const std::string& path)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    struct stat own;
    const bool isLink = ::lstat(path.c_str(), &own) == 0 && S_ISLNK(own.st_mode);
    return FactsFrom(info, NameOf(path), isLink);
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

bool MakeFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0755) == 0 || DirectoryExists(path);
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
