#include "platform/path_text.h"

#include "platform/file_tree.h"

#include <algorithm>

namespace platform
{
namespace
{

// Calls `visit` with the offset of every character that is a separator.
template <typename Visit>
void ForEachSeparator(std::string_view path, unsigned codePage, Visit visit)
{
    for (size_t i = 0; i < path.size(); ++i)
    {
        if (IsLeadByte(codePage, path[i]))
            ++i;
        else if (IsSeparator(path[i]))
            visit(i);
    }
}

} // namespace

bool IsSeparator(char c)
{
    return c == '\\' || c == kPathSeparator;
}

size_t FindLastSeparator(std::string_view path, unsigned codePage)
{
    // A list of many thousand paths is mostly ASCII, read from its end: the
    // last separator byte is the last separator when no lead byte comes
    // before it, and with no such byte there is none.
    size_t i = path.size();
    while (i > 0 && !IsSeparator(path[i - 1]))
        --i;
    if (i == 0)
        return std::string_view::npos;
    if (IsAscii(path.substr(0, i - 1)))
        return i - 1;
    size_t last = std::string_view::npos;
    ForEachSeparator(path, codePage, [&last](size_t at) { last = at; });
    return last;
}

size_t FindFirstCharacterOf(std::string_view text, std::string_view characters, unsigned codePage)
{
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (IsLeadByte(codePage, text[i]))
            ++i;
        else if (characters.find(text[i]) != std::string_view::npos)
            return i;
    }
    return std::string_view::npos;
}

bool EndsWithSeparator(std::string_view path, unsigned codePage)
{
    // A last byte that is no separator is no separator's either.
    return !path.empty() && IsSeparator(path.back()) &&
           FindLastSeparator(path, codePage) == path.size() - 1;
}

bool IsBelowFolder(std::string_view path, std::string_view folder)
{
    // The folder ends at a character of the path, so the byte after it
    // starts one.
    if (folder.empty() || path.size() <= folder.size() ||
        path.compare(0, folder.size(), folder) != 0)
        return false;
    return EndsWithSeparator(folder) || IsSeparator(path[folder.size()]);
}

bool IsAtOrBelowFolder(std::string_view path, std::string_view folder)
{
    return path == folder || IsBelowFolder(path, folder);
}

std::string_view PathBelow(std::string_view path, std::string_view folder)
{
    path.remove_prefix(std::min(path.size(), folder.size()));
    while (!path.empty() && IsSeparator(path.front()))
        path.remove_prefix(1);
    return path;
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder);
    // A folder written with backslashes is a Windows path wherever it is read.
    if (!EndsWithSeparator(path))
        path += path.find('\\') != std::string::npos ? '\\' : kPathSeparator;
    return path.append(name);
}

size_t Utf16Length(std::string_view path, unsigned codePage)
{
    size_t units = 0;
    for (size_t i = 0; i < path.size(); ++i)
    {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (codePage != kUtf8CodePage)
            i += IsLeadByte(codePage, path[i]) ? 1 : 0;
        // Every byte of UTF-8 but those that go on a character begins one,
        // and four bytes make a character of two units.
        else if ((byte & 0xC0) == 0x80)
            continue;
        units += codePage == kUtf8CodePage && byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

std::string ParentFolder(std::string_view path)
{
    if (EndsWithSeparator(path))
        path.remove_suffix(1);
    const size_t separator = FindLastSeparator(path);
    if (separator == std::string_view::npos || separator == 0)
        return {};
    // "C:" alone names no folder.
    return std::string(path.substr(0, separator + (path[separator - 1] == ':' ? 1 : 0)));
}

std::string_view LastComponent(std::string_view path)
{
    if (EndsWithSeparator(path))
        path.remove_suffix(1);
    const size_t separator = FindLastSeparator(path);
    return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

} // namespace platform
