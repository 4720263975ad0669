#pragma once

#include "platform/file_tree.h"

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#ifdef _WIN32
#include <windows.h>
#endif

// A symbolic link a test planted, removed when it goes, before the folders
// around it: under Wine, removing a folder that holds one goes on into what
// it points to.
class Link
{
  public:
    Link(const std::string& target, std::string path, bool folder) : m_path(std::move(path))
    {
#ifdef _WIN32
        if (!CreateSymbolicLinkA(m_path.c_str(), target.c_str(),
                                 (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) |
                                     SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) ||
            !std::filesystem::exists(m_path))
            m_byLinux = RunOnLinux("/bin/ln -s", target, true);
#else
        std::error_code error;
        folder ? std::filesystem::create_directory_symlink(target, m_path, error)
               : std::filesystem::create_symlink(target, m_path, error);
#endif
    }
    ~Link()
    {
#ifdef _WIN32
        if (m_byLinux)
            RunOnLinux("/bin/rm", {}, false);
        else if (!RemoveDirectoryA(m_path.c_str()))
            DeleteFileA(m_path.c_str());
#else
        std::error_code error;
        std::filesystem::remove(m_path, error);
#endif
    }
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Whether a link stands there as this platform's calls show one: MinGW's
    // std::filesystem makes none, Windows makes one only where the user may
    // (developer mode, or rights), and Wine shows a link to a file as the file.
    explicit operator bool() const
    {
        const std::optional<platform::FileFacts> facts = platform::LocalFiles().Facts(m_path);
        return facts && facts->isLink;
    }

  private:
#ifdef _WIN32
    // Wine 8 reports a symbolic link made and makes none, but shows a folder
    // link of the Linux file system below it as one: Linux's own "ln" makes
    // it, started as Wine starts a Windows program, without a handle to wait
    // on, so the path is watched until it changes. Nothing outside Wine.
    bool RunOnLinux(std::string command, const std::string& target, bool appears) const
    {
        using UnixName = char*(CDECL*)(LPCWSTR);
        const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        for (const std::string& path : {target, m_path})
        {
            char* name = unixName && !path.empty()
                             ? unixName(std::filesystem::path(path).wstring().c_str())
                             : nullptr;
            if (name != nullptr)
                command += " \"" + std::string(name) + "\"";
            HeapFree(GetProcessHeap(), 0, name);
        }
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (unixName == nullptr || !CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE,
                                                   0, nullptr, nullptr, &startup, &process))
            return false;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::filesystem::exists(m_path) != appears &&
               std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return std::filesystem::exists(m_path) == appears;
    }
#endif

    std::string m_path;
    bool m_byLinux = false;
};
