#include "platform/file_replace.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform
{
namespace
{

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

} // namespace

bool ReplaceFileWhole(const std::string& path, const NextPiece& next)
{
    const std::string temporary = path + ".tmp";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    bool wrote = true;
    for (std::string_view piece = next(); wrote && !piece.empty(); piece = next())
        wrote = WriteAll(fd, piece);
    const bool synced = ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!wrote || !synced || !closed || std::rename(temporary.c_str(), path.c_str()) != 0)
    {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace platform
