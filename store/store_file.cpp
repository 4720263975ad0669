#include "store/store_file.h"

#include "platform/file_replace.h"
#include "platform/file_system.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

namespace store
{
namespace
{

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File Open(const std::string& path, const char* mode)
{
    return File(std::fopen(path.c_str(), mode), &std::fclose);
}

// The one place where line ends are translated, as the Windows text mode
// does: "\n" is written as "\r\n", and a "\r" directly before "\n" is dropped
// on reading. Every other byte passes unchanged. Both copy whole runs between
// line ends: a list of many thousand sources is read and written at the pace
// of the disk.
std::string ToDisk(const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size() + static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start))
    {
        bytes.append(text, start, end - start).append("\r\n");
        start = end + 1;
    }
    return bytes.append(text, start, std::string::npos);
}

std::string FromDisk(std::string bytes)
{
    char* out = bytes.data();
    const char* in = bytes.data();
    const char* const end = in + bytes.size();
    while (in != end)
    {
        const void* found = std::memchr(in, '\r', static_cast<size_t>(end - in));
        const char* carriageReturn = found ? static_cast<const char*>(found) : end;
        std::memmove(out, in, static_cast<size_t>(carriageReturn - in));
        out += carriageReturn - in;
        in = carriageReturn;
        if (in == end)
            break;
        if (in + 1 == end || in[1] != '\n')
            *out++ = '\r';
        ++in;
    }
    bytes.resize(static_cast<size_t>(out - bytes.data()));
    return bytes;
}

// The raw bytes, or nothing when the file cannot be opened or read (a
// folder of that name included).
std::optional<std::string> ReadBytes(const std::string& path)
{
    const File file = Open(path, "rb");
    if (!file)
        return std::nullopt;
    // Read straight into the text, in pieces that double: a list of many
    // thousand sources takes a few reads, not one per few kilobytes.
    std::string bytes(size_t{1} << 16, '\0');
    size_t used = 0;
    while (const size_t n = std::fread(bytes.data() + used, 1, bytes.size() - used, file.get()))
    {
        used += n;
        if (used == bytes.size())
            bytes.resize(bytes.size() * 2);
    }
    if (std::ferror(file.get()))
        return std::nullopt;
    bytes.resize(used);
    return bytes;
}

bool IsMissing(const std::string& path)
{
    errno = 0;
    return !Open(path, "rb") && errno == ENOENT;
}

} // namespace

bool TruncateWrite(const std::string& path, const std::string& text)
{
    return platform::ReplaceFileWhole(path, ToDisk(text));
}

std::string CreateRead(const std::string& path)
{
    if (std::optional<std::string> bytes = ReadBytes(path))
        return FromDisk(std::move(*bytes));
    // "ab" creates a missing file without emptying one that appeared meanwhile.
    if (IsMissing(path))
        Open(path, "ab");
    return {};
}

bool TestRead(const std::string& path)
{
    return Open(path, "rb") && !platform::DirectoryExists(path);
}

bool Delete(const std::string& path)
{
    // remove() would take an empty folder of that name away on POSIX.
    if (platform::DirectoryExists(path))
        return false;
    return std::remove(path.c_str()) == 0 || IsMissing(path);
}

} // namespace store
