#include "platform/file_replace.h"

#include <windows.h>

namespace platform
{

bool ReplaceFileWhole(const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL wrote = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                                  &written, nullptr);
    const BOOL flushed = FlushFileBuffers(file);
    CloseHandle(file);
    if (!wrote || written != bytes.size() || !flushed ||
        !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace platform
