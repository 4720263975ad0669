#include "plan/mirror_path.h"

#include "platform/file_tree.h"
#include "platform/path_text.h"

#include <algorithm>
#include <cctype>

namespace
{

std::string_view WithoutLeadingSeparators(std::string_view text)
{
    // A lead byte comes first: a separator there is one.
    while (!text.empty() && platform::IsSeparator(text.front()))
        text.remove_prefix(1);
    return text;
}

void AppendJoined(std::string& out, std::string_view first, std::string_view rest, char separator)
{
    out.append(first);
    if (!rest.empty())
        out.append(1, separator).append(rest);
}

} // namespace

bool StartsWithDriveLetter(std::string_view path)
{
    return path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}

void AppendMirrorOf(std::string_view path, std::string& out)
{
    const char separator =
        path.find('\\') != std::string_view::npos ? '\\' : platform::kPathSeparator;
    while (path.size() > 1 && platform::EndsWithSeparator(path))
        path.remove_suffix(1);
    if (StartsWithDriveLetter(path))
        return AppendJoined(out, path.substr(0, 1), WithoutLeadingSeparators(path.substr(2)),
                            separator);
    if (path.size() > 2 && platform::IsSeparator(path[0]) && platform::IsSeparator(path[1]))
        return AppendJoined(out, "UNC", WithoutLeadingSeparators(path), separator);
    // No byte of a double-byte character's second half is a colon.
    const size_t start = out.size();
    AppendJoined(out, "other", WithoutLeadingSeparators(path), separator);
    out.erase(std::remove(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), ':'),
              out.end());
}

std::string MirrorOf(std::string_view path)
{
    std::string mirror;
    AppendMirrorOf(path, mirror);
    return mirror;
}

std::string OriginalOfMirror(std::string_view mirror)
{
    const size_t end = platform::FindFirstCharacterOf(mirror, "\\/");
    const std::string_view first = mirror.substr(0, end);
    const std::string_view rest =
        end == std::string_view::npos ? std::string_view() : mirror.substr(end + 1);
    const char separator = end == std::string_view::npos ? '\\' : mirror[end];
    if (first.size() == 1 && std::isalpha(static_cast<unsigned char>(first[0])))
        return std::string(first) + ":" + separator + std::string(rest);
    // A share needs its server and its name.
    if (first == "UNC" && platform::FindFirstCharacterOf(rest, "\\/") != std::string_view::npos)
        return std::string(2, separator) + std::string(rest);
    return {};
}
