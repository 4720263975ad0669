#include "agent/folder_watches.h"

#include <algorithm>

namespace agent
{

std::vector<std::string> FolderWatches::Want(std::vector<WatchedFolder> folders, Millis now)
{
    std::vector<std::string> closed;
    std::vector<Entry> kept;
    for (Entry& entry : m_entries)
    {
        // A folder watched another way now is closed and opened anew.
        if (std::find(folders.begin(), folders.end(), entry.watched) == folders.end())
            closed.push_back(entry.watched.folder);
        else
            kept.push_back(std::move(entry));
    }
    m_entries = std::move(kept);
    for (WatchedFolder& folder : folders)
    {
        if (!Find(folder.folder))
            m_entries.push_back({std::move(folder), State::Waiting, now, false, Walk::None});
    }
    return closed;
}

FolderWatches::Entry* FolderWatches::Find(const std::string& folder)
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(), [&folder](const Entry& e) {
        return e.watched.folder == folder;
    });
    return found == m_entries.end() ? nullptr : &*found;
}

void FolderWatches::AskWalk(Entry& entry)
{
    if (entry.walk == Walk::None)
        entry.walk = Walk::Due;
    else if (entry.walk == Walk::Running)
        entry.walk = Walk::RunningThenDue;
}

bool FolderWatches::Opened(const std::string& folder)
{
    Entry* entry = Find(folder);
    if (!entry || entry->state != State::Opening)
        return false;
    entry->state = State::Watching;
    if (entry->walkWhenOpened)
        AskWalk(*entry);
    // Every later opening follows a gap.
    entry->walkWhenOpened = true;
    return true;
}

void FolderWatches::Lost(const std::string& folder, Millis now)
{
    if (Entry* entry = Find(folder))
    {
        entry->state = State::Waiting;
        entry->retry = now + kRetryEvery;
        entry->walkWhenOpened = true;
    }
}

void FolderWatches::Overflowed(const std::string& folder)
{
    if (Entry* entry = Find(folder))
        AskWalk(*entry);
}

void FolderWatches::ClosedForRemoval(const std::string& folder)
{
    if (Entry* entry = Find(folder))
    {
        entry->state = State::Removed;
        entry->retry.reset();
        entry->walkWhenOpened = true;
    }
}

void FolderWatches::RemovalFailed(const std::string& folder, Millis now)
{
    if (Entry* entry = Find(folder); entry && entry->state == State::Removed)
    {
        entry->state = State::Waiting;
        entry->retry = now;
    }
}

void FolderWatches::DeviceArrived(Millis now)
{
    for (Entry& entry : m_entries)
    {
        if (entry.state == State::Waiting || entry.state == State::Removed)
        {
            entry.state = State::Waiting;
            entry.retry = now;
        }
    }
}

void FolderWatches::Walked(const std::string& folder, bool done)
{
    if (Entry* entry = Find(folder))
        entry->walk = !done                                 ? Walk::PutOff
                      : entry->walk == Walk::RunningThenDue ? Walk::Due
                                                            : Walk::None;
}

void FolderWatches::DestinationBack()
{
    for (Entry& entry : m_entries)
    {
        if (entry.walk == Walk::PutOff)
            entry.walk = Walk::Due;
    }
}

std::optional<Millis> FolderWatches::NextWake() const
{
    std::optional<Millis> wake;
    for (const Entry& entry : m_entries)
    {
        if (entry.state == State::Waiting && entry.retry && (!wake || *entry.retry < *wake))
            wake = entry.retry;
    }
    return wake;
}

FolderWatches::Due FolderWatches::TakeDue(Millis now)
{
    Due due;
    for (Entry& entry : m_entries)
    {
        if (entry.state == State::Waiting && entry.retry && *entry.retry <= now)
        {
            entry.state = State::Opening;
            entry.retry.reset();
            due.open.push_back(entry.watched);
        }
        if (entry.walk == Walk::Due)
        {
            entry.walk = Walk::Running;
            due.walk.push_back(entry.watched);
        }
    }
    return due;
}

} // namespace agent
