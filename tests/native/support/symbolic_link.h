#pragma once

#include "platform/file_tree.h"

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#endif

// A symbolic link a test planted, removed when the test ends, before the
// folders around it: under Wine a removal of the folder that holds it would
// go on into what it points to.
class Link
{
  public:
    Link(const std::string& target, std::string path, bool folder);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Whether a link stands there as this platform's calls show one: MinGW's
    // std::filesystem makes none, Windows makes one only where the user may
    // (developer mode, or rights), and Wine shows a link to a file as the
    // file.
    explicit operator bool() const
    {
        const std::optional<platform::FileFacts> facts = platform::LocalFiles().Facts(m_path);
        return facts && facts->isLink;
    }

  private:
    std::string m_path;
    bool m_folder;
    bool m_madeByLinux = false;
};

#ifdef _WIN32
// Wine 8 reports a symbolic link made and makes none, but shows a link of the
// Linux file system below it: Linux's own "ln" makes it, and "rm" removes it,
// started as Wine starts a Windows program (without a handle to wait on), so
// the path is watched until it changes. Nothing outside Wine.
inline bool RunLinux(std::string command, const std::vector<std::string>& paths,
                     const std::string& watched, bool appears)
{
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr)
        return false;
    for (const std::string& path : paths)
    {
        std::wstring wide(path.size(), L'\0');
        wide.resize(MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                        wide.data(), static_cast<int>(wide.size())));
        char* name = unixName(wide.c_str());
        if (name == nullptr)
            return false;
        command += " \"" + std::string(name) + "\"";
        HeapFree(GetProcessHeap(), 0, name);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    for (const HANDLE handle : {process.hProcess, process.hThread})
        if (handle != nullptr)
            CloseHandle(handle);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((GetFileAttributesA(watched.c_str()) != INVALID_FILE_ATTRIBUTES) != appears)
    {
        if (std::chrono::steady_clock::now() > giveUp)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
#endif

inline Link::Link(const std::string& target, std::string path, bool folder)
    : m_path(std::move(path)), m_folder(folder)
{
#ifdef _WIN32
    if (!CreateSymbolicLinkA(m_path.c_str(), target.c_str(),
                             (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) |
                                 SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
        GetFileAttributesA(m_path.c_str()) == INVALID_FILE_ATTRIBUTES)
        m_madeByLinux = RunLinux("/bin/ln -s", {target, m_path}, m_path, true);
#else
    std::error_code error;
    folder ? std::filesystem::create_directory_symlink(target, m_path, error)
           : std::filesystem::create_symlink(target, m_path, error);
#endif
}

inline Link::~Link()
{
#ifdef _WIN32
    // A link itself goes as an empty folder or a file goes.
    if (m_madeByLinux)
        RunLinux("/bin/rm -f", {m_path}, m_path, false);
    else if (m_folder)
        RemoveDirectoryA(m_path.c_str());
    else
        DeleteFileA(m_path.c_str());
#else
    std::error_code error;
    std::filesystem::remove(m_path, error);
#endif
}
