#pragma once

#include "platform/file_tree.h"

#include <string>

// "/u/docs" with this platform's separator.
inline std::string P(std::string path)
{
    for (char& c : path)
        c = c == '/' ? platform::kPathSeparator : c;
    return path;
}

inline const std::string kSep(1, platform::kPathSeparator);
