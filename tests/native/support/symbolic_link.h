#pragma once

#include "platform/file_tree.h"

#include <filesystem>
#include <string>
#ifdef _WIN32
#include <windows.h>
#endif

// Whether the link was made: MinGW's std::filesystem makes none, and Wine 8
// reports one made and makes none.
inline bool MakeLink(const std::string& target, const std::string& link, bool folder)
{
#ifdef _WIN32
    CreateSymbolicLinkA(link.c_str(), target.c_str(),
                        (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) |
                            SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
#else
    std::error_code error;
    folder ? std::filesystem::create_directory_symlink(target, link, error)
           : std::filesystem::create_symlink(target, link, error);
#endif
    const std::optional<platform::FileFacts> facts = platform::LocalFiles().Facts(link);
    return facts && facts->isLink;
}
