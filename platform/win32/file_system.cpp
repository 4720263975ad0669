#include "platform/file_system.h"

#include "platform/code_page.h"

#include <windows.h>

namespace platform
{

const char kPathSeparator = '\\';

bool DirectoryExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolders(const std::string& path)
{
    // Each folder above it in turn, found by character: in the double-byte
    // code pages a second byte may be 0x5C. Those that exist, and the "C:" of
    // a drive, fail harmlessly.
    for (size_t i = 0; i < path.size(); ++i)
    {
        if (IsLeadByte(kAnsiCodePage, path[i]))
            ++i;
        else if (path[i] == '\\' || path[i] == '/')
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
    CreateDirectoryA(path.c_str(), nullptr);
    return DirectoryExists(path);
}

} // namespace platform
