#include "tests/e2e/driver/files.h"

#include "tests/e2e/driver/text.h"

#include <string>
#include <windows.h>

namespace e2e
{

namespace
{

HANDLE OpenForTimes(const std::string& path, DWORD access)
{
    return CreateFileW(Wide(path).c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

void CollectTree(const std::string& root, const std::string& relative, FileTree& tree)
{
    WIN32_FIND_DATAW found{};
    const std::string folder = relative.empty() ? root : root + "\\" + relative;
    HANDLE search = FindFirstFileW(Wide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
    {
        const std::string name = Utf8(found.cFileName);
        if (name == "." || name == "..")
            continue;
        const std::string path = relative.empty() ? name : relative + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectTree(root, path, tree);
        else
            tree[path] = ReadBytes(root + "\\" + path).value_or("<unreadable>");
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

} // namespace

std::optional<std::string> ReadBytes(const std::string& path)
{
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (file != INVALID_HANDLE_VALUE && !bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
}

bool Exists(const std::string& path)
{
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('\\', 3); slash != std::string::npos;
         slash = path.find('\\', slash + 1))
        CreateDirectoryW(Wide(path.substr(0, slash)).c_str(), nullptr);
    CreateDirectoryW(Wide(path).c_str(), nullptr);
}

void Remove(const std::string& path)
{
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(Wide(path).c_str());
}

void SetHidden(const std::string& path)
{
    SetFileAttributesW(Wide(path).c_str(), FILE_ATTRIBUTE_HIDDEN);
}

unsigned long long WriteTime(const std::string& path)
{
    FILETIME written{};
    HANDLE file = OpenForTimes(path, GENERIC_READ);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    return (static_cast<unsigned long long>(written.dwHighDateTime) << 32) | written.dwLowDateTime;
}

void SetWriteTime(const std::string& path, unsigned long long time)
{
    const FILETIME written{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    HANDLE file = OpenForTimes(path, FILE_WRITE_ATTRIBUTES);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

FileTree ReadTree(const std::string& root)
{
    FileTree tree;
    CollectTree(root, "", tree);
    return tree;
}

std::string DescribeDifferences(const FileTree& actual, const FileTree& expected)
{
    std::string differences;
    for (const auto& [path, bytes] : expected)
    {
        const auto found = actual.find(path);
        if (found == actual.end())
            differences += "\n    missing: " + path;
        else if (found->second != bytes)
            differences +=
                "\n    different content: " + path + " (\"" + Printable(found->second) + "\")";
    }
    for (const auto& [path, bytes] : actual)
        if (!expected.count(path))
            differences += "\n    unexpected: " + path;
    return differences;
}

} // namespace e2e
