#include "platform/file_port.h"

#include "platform/code_page.h"
#include "platform/file_system.h"

#include <vector>
#include <windows.h>

namespace platform
{
namespace
{

FileFacts FactsOf(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& lastWrite)
{
    FileFacts facts;
    facts.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.hidden = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    facts.archive = (attributes & FILE_ATTRIBUTE_ARCHIVE) != 0;
    facts.size = (static_cast<std::uint64_t>(sizeHigh) << 32) | sizeLow;
    facts.writeTime = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(lastWrite.dwHighDateTime) << 32) | lastWrite.dwLowDateTime);
    return facts;
}

// The offset of the last separator, found by character, or npos.
size_t LastSeparator(const std::string& path)
{
    size_t last = std::string::npos;
    for (size_t i = 0; i < path.size(); ++i)
    {
        if (IsLeadByte(kAnsiCodePage, path[i]))
            ++i;
        else if (path[i] == '\\' || path[i] == '/')
            last = i;
    }
    return last;
}

class Handle
{
  public:
    explicit Handle(HANDLE handle) : m_handle(handle) {}
    ~Handle()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    HANDLE Get() const { return m_handle; }
    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    bool Close()
    {
        const BOOL closed = CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }

  private:
    HANDLE m_handle;
};

bool CopyContent(HANDLE from, HANDLE to)
{
    std::vector<char> buffer(size_t{1} << 20);
    for (;;)
    {
        DWORD read = 0;
        if (!ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr))
            return false;
        if (read == 0)
            return true;
        DWORD written = 0;
        if (!WriteFile(to, buffer.data(), read, &written, nullptr) || written != read)
            return false;
    }
}

class WindowsFiles : public FilePort
{
  public:
    std::optional<FileFacts> Facts(const std::string& path) override
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
            return std::nullopt;
        return FactsOf(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                       data.ftLastWriteTime);
    }

    std::vector<FolderEntry> List(const std::string& folder) override
    {
        const size_t separator = LastSeparator(folder);
        const bool endsWithSeparator =
            separator != std::string::npos && separator + 1 == folder.size();
        const std::string pattern = folder + (endsWithSeparator ? "*" : "\\*");
        std::vector<FolderEntry> entries;
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return entries;
        do
        {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                entries.push_back({name, FactsOf(found.dwFileAttributes, found.nFileSizeHigh,
                                                 found.nFileSizeLow, found.ftLastWriteTime)});
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return entries;
    }

    CopyResult CopyKeepingTime(const std::string& from, const std::string& to) override
    {
        // Sharing only reading: a program that still has the file open for
        // writing makes this fail, and a writer that comes later must wait.
        Handle source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!source.IsOpen())
        {
            const DWORD error = GetLastError();
            return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION
                       ? CopyResult::SourceBusy
                       : CopyResult::Failed;
        }
        const size_t separator = LastSeparator(to);
        const std::string folder = separator == std::string::npos ? "." : to.substr(0, separator);
        MakeFolders(folder);
        // A name no file in the folder has, so that no other copy is
        // overwritten on the way.
        char partial[MAX_PATH];
        if (!GetTempFileNameA(folder.c_str(), "cor", 0, partial))
            return CopyResult::Failed;
        // A plain file: the copies of hidden files are left visible, as the
        // "attrib -h" lines of backup.bat leave them.
        Handle copy(CreateFileA(partial, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!copy.IsOpen())
        {
            DeleteFileA(partial);
            return CopyResult::Failed;
        }
        FILETIME lastWrite;
        const bool whole = CopyContent(source.Get(), copy.Get()) &&
                           GetFileTime(source.Get(), nullptr, nullptr, &lastWrite) &&
                           SetFileTime(copy.Get(), nullptr, nullptr, &lastWrite);
        if (!copy.Close() || !whole || !MoveFileExA(partial, to.c_str(), MOVEFILE_REPLACE_EXISTING))
        {
            DeleteFileA(partial);
            return CopyResult::Failed;
        }
        return CopyResult::Copied;
    }

    bool ClearArchiveBit(const std::string& path) override
    {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return false;
        if (!(attributes & FILE_ATTRIBUTE_ARCHIVE))
            return true;
        // No attribute left must be said as FILE_ATTRIBUTE_NORMAL.
        const DWORD rest = attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE);
        return SetFileAttributesA(path.c_str(), rest ? rest : FILE_ATTRIBUTE_NORMAL) != FALSE;
    }
};

} // namespace

FilePort& LocalFiles()
{
    static WindowsFiles files;
    return files;
}

} // namespace platform
