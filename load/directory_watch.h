#pragma once

#include "platform/win32/handle.h"

#include <functional>
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

// The same reports as completion routines, run on the thread that made the
// watch while it waits alertably: there is no handle per folder to wait on,
// so a thread watches any number of folders.
class DirectoryRoutineWatch
{
  public:
    // The paths below the folder that changed; `complete` is false when the
    // report overflowed or failed and names were lost.
    using Changes = std::function<void(std::vector<std::string> names, bool complete)>;

    // Starts watching; a folder that cannot be opened is not watched.
    DirectoryRoutineWatch(const std::string& folder, Changes changes);
    ~DirectoryRoutineWatch();
    DirectoryRoutineWatch(const DirectoryRoutineWatch&) = delete;
    DirectoryRoutineWatch& operator=(const DirectoryRoutineWatch&) = delete;

    bool Watching() const;

  private:
    struct Read;
    // Outlives the watch while its cancelled read is still under way.
    Read* m_read;
};
