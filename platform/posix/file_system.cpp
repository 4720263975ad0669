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

} // namespace platform
