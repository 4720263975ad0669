#include "platform/file_system.h"

#include <sys/stat.h>

namespace platform
{

const char kPathSeparator = '/';

bool DirectoryExists(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool MakeFolders(const std::string& path)
{
    // Those that exist fail harmlessly.
    for (size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0755);
    ::mkdir(path.c_str(), 0755);
    return DirectoryExists(path);
}

} // namespace platform
