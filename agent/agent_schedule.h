#pragma once

#include "agent/agent_clock.h"
#include "agent/folder_watches.h"
#include "companions/saved_plan.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace agent
{

// When the resident agent acts on the change notifications it is handed: a
// saved file once it has been quiet for a while, the store once the window
// has written all of it. It says when to wake next, so that the agent waits
// on its notifications and one timer, and polls nothing.
class AgentSchedule
{
  public:
    // A save is a burst of writes, renames and attribute changes; two quiet
    // seconds end it, so that one save makes one copy.
    static constexpr Millis kQuietPeriod = 2000;
    // A file another program keeps open for writing is tried again, at
    // growing intervals, for this long before it is reported.
    static constexpr Millis kBusyLimit = 10 * 60 * 1000;

    AgentSchedule(std::string installDirectory, const platform::FileTree& files);

    // Copies on save for this plan from now on; nullptr for none. Files
    // already waiting are judged by the plan in force when they are due.
    void Follow(const companions::SavedPlan* plan);
    // The install directory and, with copy on save, the source folders with
    // their subfolders and the folders of file sources without, each with
    // only its files' names; none inside a folder watched with its
    // subfolders. Changes in them are to be handed in.
    std::vector<WatchedFolder> FoldersToWatch() const;

    // Something changed at `path`.
    void Changed(const std::string& path, Millis now);
    // A name appeared at `path` (made, or renamed or moved there): it may be
    // a folder moved into a source, to be walked.
    void Appeared(const std::string& path, Millis now);
    // A copy found the file still open for writing. False when it has been
    // so for too long: the caller reports it.
    bool Busy(const std::string& path, Millis now);

    // A backup of "Backup Now" is running, whose xcopy may be writing the
    // file's copy: the file is tried again a while later, for as long as it
    // runs.
    void WaitForBackup(const std::string& path, Millis now);
    static constexpr Millis kBackupWait = 30 * 1000;

    // The store could not be read: it is read again after kStoreRetry, as
    // a lock or an I/O error may end without a change to report it.
    void StoreUnreadable(Millis now);
    static constexpr Millis kStoreRetry = 60 * 1000;

    std::optional<Millis> NextWake() const;

    struct Due
    {
        // The store changed: read it again.
        bool store = false;
        // Saved files to copy, and names that appeared in a source that
        // may be folders, to be walked.
        std::vector<std::string> files;
    };
    Due TakeDue(Millis now);

  private:
    struct BusyFile
    {
        Millis since;
        Millis wait;
    };

    std::string m_installDirectory;
    const platform::FileTree& m_files;
    const companions::SavedPlan* m_plan = nullptr;
    std::optional<Millis> m_storeDue;
    std::map<std::string, Millis> m_filesDue;
    std::map<std::string, BusyFile> m_busy;
};

} // namespace agent
