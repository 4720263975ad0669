#include "store/store_file.h"

#include "platform/file_replace.h"
#include "platform/file_system.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <optional>

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
// on reading. Every other byte passes unchanged.
std::string ToDisk(const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 8);
    for (const char c : text)
    {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    return bytes;
}

std::string FromDisk(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        if (bytes[i] != '\r' || i + 1 == bytes.size() || bytes[i + 1] != '\n')
            text += bytes[i];
    }
    return text;
}

// The raw bytes, or nothing when the file cannot be opened or read (a
// folder of that name included).
std::optional<std::string> ReadBytes(const std::string& path)
{
    const File file = Open(path, "rb");
    if (!file)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, n);
    if (std::ferror(file.get()))
        return std::nullopt;
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

bool AppendWrite(const std::string& path, const std::string& text)
{
    std::optional<std::string> bytes = ReadBytes(path);
    if (!bytes)
    {
        // An existing file that cannot be read must not be replaced by the
        // appended text alone.
        if (!IsMissing(path))
            return false;
        bytes.emplace();
    }
    return platform::ReplaceFileWhole(path, *bytes + ToDisk(text));
}

std::string CreateRead(const std::string& path)
{
    if (std::optional<std::string> bytes = ReadBytes(path))
        return FromDisk(*bytes);
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
