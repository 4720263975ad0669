#include "platform/file_replace.h"

#include <windows.h>

namespace platform
{

bool ReplaceFileWhole(const std::string& path, const NextPiece& next)
{
    const std::string temporary = path + ".tmp";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bool wrote = true;
    for (std::string_view piece = next(); wrote && !piece.empty(); piece = next())
    {
        DWORD written = 0;
        wrote =
            WriteFile(file, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr) &&
            written == piece.size();
    }
    const BOOL flushed = FlushFileBuffers(file);
    CloseHandle(file);
    if (!wrote || !flushed ||
        !MoveFileExA(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace platform
