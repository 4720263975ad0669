#include "platform/file_tree.h"

#include "platform/file_system.h"

#include <windows.h>

namespace platform
{
namespace
{

// The wide form with the "\\?\" prefix, so that a path longer than MAX_PATH
// still opens: the walk must see files that the copy cannot reach, to name
// them. The prefix takes only absolute paths; others go as they are.
std::wstring LongPath(const std::string& path)
{
    std::wstring wide(path.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, path.data(),
                                                        static_cast<int>(path.size()), wide.data(),
                                                        static_cast<int>(wide.size()))));
    if (wide.size() >= 3 && wide[1] == L':' && wide[2] == L'\\')
        return L"\\\\?\\" + wide;
    if (wide.size() >= 3 && wide[0] == L'\\' && wide[1] == L'\\' && wide[2] != L'?')
        return L"\\\\?\\UNC\\" + wide.substr(2);
    return wide;
}

std::string Ansi(const wchar_t* wide)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}

FileFacts FactsFrom(DWORD attributes, DWORD sizeHigh, DWORD sizeLow, const FILETIME& written)
{
    FileFacts facts;
    facts.isFolder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    facts.isLink = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    facts.hidden = (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    facts.size = facts.isFolder ? 0 : (std::uint64_t{sizeHigh} << 32 | sizeLow);
    facts.lastWrite = FileTime(static_cast<std::int64_t>(
        std::uint64_t{written.dwHighDateTime} << 32 | written.dwLowDateTime));
    return facts;
}

} // namespace

std::optional<FileFacts> FactsOf(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(LongPath(path).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return FactsFrom(data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow,
                     data.ftLastWriteTime);
}

bool ListFolder(const std::string& folder, const FolderVisit& visit)
{
    std::wstring pattern = LongPath(folder);
    if (!pattern.empty() && pattern.back() != L'\\')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    // The basic information leaves out the short names, which nobody here reads.
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    do
    {
        const std::wstring_view name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        visit(Ansi(data.cFileName), FactsFrom(data.dwFileAttributes, data.nFileSizeHigh,
                                              data.nFileSizeLow, data.ftLastWriteTime));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return true;
}

bool MakeFolder(const std::string& path)
{
    return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

std::string ExpandEnvironment(const std::string& text)
{
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    std::string expanded(size, '\0');
    if (size == 0 || ExpandEnvironmentStringsA(text.c_str(), expanded.data(), size) == 0)
        return text;
    expanded.resize(size - 1);
    return expanded;
}

} // namespace platform
