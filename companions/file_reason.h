#pragma once

#include <string>

namespace companions
{

// A file a run could not deal with, and why, as the windows list it.
struct FileReason
{
    std::string path;
    std::string reason;

    bool operator==(const FileReason& other) const
    {
        return path == other.path && reason == other.reason;
    }
};

} // namespace companions
