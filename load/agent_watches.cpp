#include "load/agent_watches.h"

#include <dbt.h>

struct AgentWatches::Entry
{
    std::string folder;
    // The handle as the notifications name it, kept after it is closed.
    HANDLE handle = nullptr;
    std::unique_ptr<DirectoryRoutineWatch> watch;
    HDEVNOTIFY notification = nullptr;

    void Unregister()
    {
        if (notification)
            UnregisterDeviceNotification(notification);
        notification = nullptr;
    }
    ~Entry()
    {
        // Never a notification for a handle that is gone.
        Unregister();
        watch.reset();
    }
};

AgentWatches::AgentWatches(HWND window, Changes changes)
    : m_window(window), m_changes(std::move(changes))
{
}

AgentWatches::~AgentWatches() = default;

bool AgentWatches::Start(const agent::WatchedFolder& watched, platform::Handle opened)
{
    Close(watched.folder);
    auto entry = std::make_unique<Entry>();
    entry->folder = watched.folder;
    entry->handle = opened.Get();
    entry->watch = std::make_unique<DirectoryRoutineWatch>(
        std::move(opened), watched.subtree,
        [this, folder = watched.folder](std::vector<FolderChange> changes, bool complete,
                                        bool watching) {
            m_changes(folder, std::move(changes), complete, watching);
        });
    if (!entry->watch->Watching())
        return false;
    DEV_BROADCAST_HANDLE filter{};
    filter.dbch_size = sizeof filter;
    filter.dbch_devicetype = DBT_DEVTYP_HANDLE;
    filter.dbch_handle = entry->handle;
    // Refused where the handle's volume cannot be removed (and under Wine):
    // the messages, when they come, are matched by the handle all the same.
    entry->notification =
        RegisterDeviceNotificationW(m_window, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    m_entries.push_back(std::move(entry));
    return true;
}

void AgentWatches::Close(const std::string& folder)
{
    for (auto entry = m_entries.begin(); entry != m_entries.end(); ++entry)
    {
        if ((*entry)->folder == folder)
        {
            m_entries.erase(entry);
            return;
        }
    }
}

AgentWatches::Entry* AgentWatches::Find(HANDLE handle, HDEVNOTIFY notification)
{
    for (const std::unique_ptr<Entry>& entry : m_entries)
    {
        if (entry->handle == handle || (notification && entry->notification == notification))
            return entry.get();
    }
    return nullptr;
}

AgentWatches::DeviceNews AgentWatches::OnDeviceChange(WPARAM event, LPARAM data)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (event == DBT_DEVICEARRIVAL)
        return {DeviceNews::Kind::Arrived, {}};
    if (!header || header->dbch_devicetype != DBT_DEVTYP_HANDLE)
        return {};
    const auto* about = reinterpret_cast<const DEV_BROADCAST_HANDLE*>(data);
    Entry* entry = Find(about->dbch_handle, about->dbch_hdevnotify);
    if (!entry)
        return {};
    DeviceNews news{DeviceNews::Kind::None, entry->folder};
    switch (event)
    {
    case DBT_DEVICEQUERYREMOVE:
        // The handle goes at once; the notification stays, so that a removal
        // that fails, or completes, is still heard of.
        entry->watch.reset();
        news.kind = DeviceNews::Kind::QueryRemove;
        break;
    case DBT_DEVICEQUERYREMOVEFAILED:
        news.kind = DeviceNews::Kind::RemoveFailed;
        Close(entry->folder);
        break;
    case DBT_DEVICEREMOVECOMPLETE:
        news.kind = DeviceNews::Kind::RemoveComplete;
        Close(entry->folder);
        break;
    default:
        break;
    }
    return news;
}
