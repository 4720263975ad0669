#pragma once

#include <cstdint>
#include <string>

// How far a run of copies has come, in the words both companions' windows use.
namespace companions
{

struct ProgressText
{
    // "Files: 3 of 10"
    std::string files;
    // "Size: 1.2 MB of 4.0 MB"
    std::string bytes;
    int percent = 0;
};

ProgressText ProgressTextOf(std::uint64_t filesDone, std::uint64_t files, std::uint64_t bytesDone,
                            std::uint64_t bytes);

// "512 bytes", "12.0 KB", "1.2 MB", ...
std::string ByteText(std::uint64_t bytes);

} // namespace companions
