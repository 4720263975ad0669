#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform
{

// Last-write times in the file system's own unit: only differences mean
// something, so each platform counts from its own epoch.
using FileTime = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;

// What a walk needs to know of one file or folder, read in one call.
struct FileFacts
{
    bool isFolder = false;
    // A symbolic link or junction: a walk that followed one could run in a circle.
    bool isLink = false;
    // Hidden or system on Windows; a name that begins with a dot on POSIX.
    bool hidden = false;
    std::uint64_t size = 0;
    FileTime lastWrite{};
};

// The facts of the file or folder at `path`, or nothing when there is none
// or it cannot be reached (a path too long for the system included).
std::optional<FileFacts> FactsOf(const std::string& path);

using FolderVisit = std::function<void(std::string_view name, const FileFacts& facts)>;

// Calls `visit` for each entry of the folder, "." and ".." left out. False
// when the folder cannot be listed.
bool ListFolder(const std::string& folder, const FolderVisit& visit);

// Makes the folder when it is missing; its parent must exist. True when the
// folder exists afterwards.
bool MakeFolder(const std::string& path);

// The text with every "%NAME%" of a set environment variable replaced by its
// value, as the command interpreter expands it.
std::string ExpandEnvironment(const std::string& text);

} // namespace platform
