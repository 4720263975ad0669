#pragma once

#include "tests/fuzz/fuzz_store.h"

#include <chrono>
#include <cstring>
#include <string>
#include <string_view>

// The bytes as what a destination on a share that others write to may hold,
// one entry a line: a kind byte ('d' a folder, 'l' a link to one, 'k' a link
// to a file, anything else a file), eight bytes of last-write time, then the
// path below `root`, its components split at '/'. Lines too short to say
// that are left out.
inline void PlantTree(FakeFiles& files, const std::string& root, std::string_view bytes)
{
    files.MakeFolders(root);
    while (!bytes.empty())
    {
        const size_t end = bytes.find('\n');
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.size() < 10 || line.find('\0') != std::string_view::npos)
            continue;
        std::int64_t ticks = 0;
        std::memcpy(&ticks, line.data() + 1, sizeof ticks);
        platform::FileFacts facts;
        facts.isFolder = line[0] == 'd' || line[0] == 'l';
        facts.isLink = line[0] == 'l' || line[0] == 'k';
        facts.size = facts.isFolder ? 0 : line.size();
        facts.lastWrite = platform::FileTime(ticks);
        std::string path = root;
        for (char c : line.substr(9))
            path += c == '/' ? platform::kPathSeparator : c;
        // A path that names the root, or an empty component, is no entry.
        if (path.find(std::string(2, platform::kPathSeparator)) != std::string::npos ||
            platform::EndsWithSeparator(path) || path.size() <= root.size() + 1)
            continue;
        files.Add(path, facts);
    }
}
