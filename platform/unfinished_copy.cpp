#include "platform/unfinished_copy.h"

#include "platform/path_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>

namespace platform
{
namespace
{

constexpr size_t kLongestName = 255;

// FNV-1a: the same name gives the same temporary in every run, so a run can
// find what a killed one left.
std::uint32_t HashOf(std::string_view name)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

} // namespace

bool IsUnfinishedCopy(std::string_view name)
{
    const std::string_view suffix = kUnfinishedCopySuffix;
    return name.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(), [](char a, char b) {
               return a == std::tolower(static_cast<unsigned char>(b));
           });
}

std::string UnfinishedCopyOf(std::string_view copyPath)
{
    const std::string_view name = LastComponent(copyPath);
    std::string path(copyPath.substr(0, copyPath.size() - name.size()));
    if (name.size() + kUnfinishedCopySuffix.size() <= kLongestName)
        path += name;
    else
    {
        char hashed[16];
        std::snprintf(hashed, sizeof hashed, "~%08x", static_cast<unsigned>(HashOf(name)));
        path += hashed;
    }
    return path += kUnfinishedCopySuffix;
}

} // namespace platform
