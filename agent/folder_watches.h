#pragma once

#include "agent/agent_clock.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace agent
{

// A folder the agent watches, and how.
struct WatchedFolder
{
    std::string folder;
    // With every folder below it.
    bool subtree = true;
    // The only names in it that count (a file source's folder); empty: all.
    std::vector<std::string> names;

    bool operator==(const WatchedFolder& other) const
    {
        return folder == other.folder && subtree == other.subtree && names == other.names;
    }
};

// Keeps every folder the agent should watch watched. One that cannot be (not
// there at the start, a stick plugged in later, a share after sleep, a watch
// that died) is tried again once a minute and when a device arrives. Once a
// folder is watched again, or its watch lost changes, it is walked, so that
// no save is lost to the gap; walks of one folder never overlap. A handle on
// a volume that is to be removed is closed until the removal fails or a
// device arrives. The watches and walks themselves are the caller's.
class FolderWatches
{
  public:
    static constexpr Millis kRetryEvery = 60 * 1000;

    // The folders to watch from now on; returns those watched so far that
    // are no longer wanted, for the caller to close. New ones are to be
    // opened at once, and are walked only once they were lost.
    std::vector<std::string> Want(std::vector<WatchedFolder> folders, Millis now);

    // False when the folder is no longer to be watched (the store changed
    // while it was being opened): the caller closes it again.
    bool Opened(const std::string& folder);
    // Could not be opened, or the watch died: tried again in a minute.
    void Lost(const std::string& folder, Millis now);
    // The change report overflowed: names were lost.
    void Overflowed(const std::string& folder);
    // Closed because its volume is to be removed.
    void ClosedForRemoval(const std::string& folder);
    void RemovalFailed(const std::string& folder, Millis now);
    void DeviceArrived(Millis now);

    // A walk ended; `done` false when it could not be made (the destination
    // was away): it is made once the destination is back.
    void Walked(const std::string& folder, bool done);
    void DestinationBack();

    std::optional<Millis> NextWake() const;
    struct Due
    {
        std::vector<WatchedFolder> open;
        std::vector<WatchedFolder> walk;
    };
    Due TakeDue(Millis now);

  private:
    enum class State
    {
        Opening,
        Watching,
        // Not watched; `retry` says when to try again.
        Waiting,
        Removed,
    };
    enum class Walk
    {
        None,
        Due,
        Running,
        // Due again once the running walk ends.
        RunningThenDue,
        // Due once the destination is back.
        PutOff,
    };
    struct Entry
    {
        WatchedFolder watched;
        State state = State::Opening;
        std::optional<Millis> retry;
        bool walkWhenOpened = false;
        Walk walk = Walk::None;
    };
    Entry* Find(const std::string& folder);
    static void AskWalk(Entry& entry);

    std::vector<Entry> m_entries;
};

} // namespace agent
