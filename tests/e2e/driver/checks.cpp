#include "tests/e2e/driver/checks.h"

#include <cstdio>
#include <stdexcept>

namespace e2e
{

namespace
{

int failures = 0;

std::string Printable(std::string bytes)
{
    for (size_t at = 0; (at = bytes.find_first_of("\r\n", at)) != std::string::npos; at += 2)
        bytes.replace(at, 1, bytes[at] == '\r' ? "\\r" : "\\n");
    return bytes;
}

std::string Narrow(UINT codePage, const std::wstring& wide)
{
    std::string text(wide.size() * 4, '\0');
    text.resize(static_cast<size_t>(
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                            static_cast<int>(text.size()), nullptr, nullptr)));
    return text;
}

HANDLE Open(const std::string& path, DWORD access, DWORD creation)
{
    return CreateFileW(Wide(path).c_str(), access,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

void CollectTree(const std::string& root, const std::string& relative, FileTree& tree)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(Wide(root + "\\" + relative + "*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
    {
        const std::string path = relative + Utf8(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            tree[path] = ReadBytes(root + "\\" + path);
        else if (found.cFileName[0] != L'.')
            CollectTree(root, path + "\\", tree);
    }
    FindClose(search);
}

} // namespace

int Failures()
{
    return failures;
}

void Expect(bool ok, const std::string& what)
{
    if (ok)
        return;
    ++failures;
    std::printf("FAILED: %s\n", what.c_str());
    std::fflush(stdout);
}

void ExpectEqual(const std::string& actual, const std::string& expected, const std::string& what)
{
    Expect(actual == expected, what + "\n    expected: \"" + Printable(expected) +
                                   "\"\n    actual:   \"" + Printable(actual) + "\"");
}

void Require(bool ok, const std::string& what)
{
    Expect(ok, what);
    if (!ok)
        throw std::runtime_error(what);
}

std::wstring Wide(const std::string& utf8)
{
    std::wstring wide(utf8.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(),
                                                        static_cast<int>(utf8.size()), wide.data(),
                                                        static_cast<int>(wide.size()))));
    return wide;
}

std::string Utf8(const std::wstring& wide)
{
    return Narrow(CP_UTF8, wide);
}

std::string Ansi(const std::string& utf8)
{
    return Narrow(CP_ACP, Wide(utf8));
}

std::string Join(const std::vector<std::string>& items)
{
    std::string joined;
    for (const std::string& item : items)
        joined += (joined.empty() ? "" : ", ") + item;
    return joined;
}

std::string ReadBytes(const std::string& path)
{
    HANDLE file = Open(path, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string bytes;
    char buffer[4096];
    for (DWORD got = 0; ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0;)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = Open(path, GENERIC_WRITE, CREATE_ALWAYS);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool Exists(const std::string& path)
{
    return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileTree ReadTree(const std::string& root)
{
    FileTree tree;
    CollectTree(root, "", tree);
    return tree;
}

void ExpectTree(const FileTree& actual, const FileTree& expected, const std::string& what)
{
    std::string differences;
    for (const auto& [path, bytes] : expected)
        if (!actual.count(path))
            differences += "\n    missing: " + path;
        else if (actual.at(path) != bytes)
            differences += "\n    different: " + path + " \"" + Printable(actual.at(path)) + "\"";
    for (const auto& entry : actual)
        if (!expected.count(entry.first))
            differences += "\n    unexpected: " + entry.first;
    Expect(differences.empty(), what + ":" + differences);
}

} // namespace e2e
