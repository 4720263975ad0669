#pragma once

#include "platform/win32/handle.h"

#include <string>
#include <vector>
#include <windows.h>

// The changes to the files in a folder and below it, as the file system
// reports them: no rescanning. (Wine reports the folder itself and the
// subfolders made after the watch began, Windows every subfolder.)
class DirectoryWatch
{
  public:
    // Starts watching; a folder that cannot be opened is not watched.
    explicit DirectoryWatch(const std::string& folder);
    ~DirectoryWatch();
    DirectoryWatch(const DirectoryWatch&) = delete;
    DirectoryWatch& operator=(const DirectoryWatch&) = delete;

    // Set when changes are waiting; null when nothing is watched.
    HANDLE Event() const { return m_folder.IsOpen() ? m_event.Get() : nullptr; }
    // Once the event is set: the paths below the folder that changed, and
    // the watch goes on. False when the report overflowed and names were lost.
    bool Take(std::vector<std::string>& names);

  private:
    bool Issue();

    platform::Handle m_folder;
    platform::Handle m_event;
    OVERLAPPED m_overlapped{};
    // Aligned as the records in it must be.
    std::vector<DWORD> m_buffer;
    bool m_pending = false;
};
