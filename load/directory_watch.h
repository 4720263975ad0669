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

// A folder opened to be watched. Opening may wait on a disk or a share, so
// the agent opens its folders on a worker.
platform::Handle OpenFolderToWatch(const std::string& folder);

// One change a watch reports: a path below the folder, and whether the
// name appeared there (made, or renamed or moved in: it may be a folder).
struct FolderChange
{
    std::string name;
    bool appeared = false;
};

// The same reports as completion routines, run on the thread that made the
// watch while it waits alertably: there is no handle per folder to wait on,
// so a thread watches any number of folders. Folders made, renamed or moved
// in are reported too.
class DirectoryRoutineWatch
{
  public:
    // The changes; `complete` is false when the report overflowed or failed
    // and names were lost; `watching` false when the watch has ended (its
    // folder went away, a share was lost) and reports nothing more.
    using Changes =
        std::function<void(std::vector<FolderChange> changes, bool complete, bool watching)>;

    // Starts watching the opened folder, with its subfolders or without.
    DirectoryRoutineWatch(platform::Handle folder, bool subtree, Changes changes);
    // Closes the folder at once: a volume to be removed is not held.
    ~DirectoryRoutineWatch();
    DirectoryRoutineWatch(const DirectoryRoutineWatch&) = delete;
    DirectoryRoutineWatch& operator=(const DirectoryRoutineWatch&) = delete;

    bool Watching() const;
    // The folder's handle, for the device notifications of its volume.
    HANDLE Folder() const;

  private:
    struct Read;
    // Outlives the watch while its cancelled read is still under way.
    Read* m_read;
};
