#pragma once

#include "agent/folder_watches.h"
#include "load/directory_watch.h"
#include "platform/win32/handle.h"

#include <memory>
#include <string>
#include <vector>
#include <windows.h>

// The agent's watches, each with the device notification of its handle, so
// that no watch keeps a USB stick from being removed safely: its handle is
// closed when Windows asks whether the volume may go, and opened again
// when the removal fails. Lives on the window's thread, whose alertable
// wait runs the watches' routines.
class AgentWatches
{
  public:
    using Changes = std::function<void(const std::string& folder, std::vector<FolderChange>,
                                       bool complete, bool watching)>;

    AgentWatches(HWND window, Changes changes);
    ~AgentWatches();
    AgentWatches(const AgentWatches&) = delete;
    AgentWatches& operator=(const AgentWatches&) = delete;

    // Watches the folder through its opened handle; false when the watch
    // could not begin.
    bool Start(const agent::WatchedFolder& watched, platform::Handle opened);
    void Close(const std::string& folder);

    // What a WM_DEVICECHANGE meant for the watches.
    struct DeviceNews
    {
        enum class Kind
        {
            None,
            // A disk or stick came: what waits for one is tried.
            Arrived,
            // The watch's handle was closed so that its volume may go.
            QueryRemove,
            RemoveFailed,
            // Its volume went, asked or not.
            RemoveComplete,
        } kind = Kind::None;
        std::string folder;
    };
    DeviceNews OnDeviceChange(WPARAM event, LPARAM data);

  private:
    struct Entry;
    Entry* Find(HANDLE handle, HDEVNOTIFY notification);

    HWND m_window;
    Changes m_changes;
    std::vector<std::unique_ptr<Entry>> m_entries;
};
