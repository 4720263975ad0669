#include "load/session_end_run.h"

#include "agent/session_end_backup.h"
#include "companions/saved_selection.h"
#include "desktop/agent_run_lock.h"
#include "desktop/running_backup.h"
#include "load/agent_worker.h"
#include "load/whole_tree_backup.h"
#include "platform/file_tree.h"
#include "platform/local_time.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <future>
#include <thread>

namespace
{

// How often the end of the session looks whether a running backup has ended.
constexpr DWORD kBackupLookMillis = 1000;
// Time for the report after the copying stopped at the cap.
constexpr DWORD kReportMillis = 5000;

} // namespace

void EndSessionWithBackup(AgentWorker& worker, const InstallDirectory& directory,
                          const std::string& localAppData, bool refused)
{
    const agent::Millis deadline = agent::SteadyNow() + agent::kSessionEndCap;
    if (!companions::ReadAgentDuties(directory, platform::LocalFiles()).backUpAtSessionEnd)
    {
        // The copies already begun are finished, as the window's thread once did.
        worker.WaitIdle(AgentWorker::kJobsEnd);
        return;
    }
    // The backup copies what is still waiting; the copy under way must not
    // write the same copy at the same time.
    worker.Drop();
    worker.WaitIdle(
        std::chrono::milliseconds(std::max<agent::Millis>(deadline - agent::SteadyNow(), 0)));
    // Nor while the xcopy of a "Backup Now" may write them, which the end of
    // the session ends too. Nothing signals the mutex's end: it is looked at
    // once a second, within the cap.
    while (IsBackupRunning() && agent::SteadyNow() + kBackupLookMillis < deadline)
        Sleep(kBackupLookMillis);
    // On a thread of its own: a copy that hangs on a dead network destination
    // must not hold the session past the cap. A hung thread is left to the
    // end of the session, which ends it.
    std::packaged_task<void()> backup([directory, localAppData, refused, deadline,
                                       started = platform::LocalTimeNow(),
                                       startedUtc = agent::UtcNow()] {
        // Another session's run on the destination is waited for within the
        // cap; still running then, this one only leaves its report of what
        // is not backed up.
        const AgentRunLock lock(
            static_cast<DWORD>(std::max<agent::Millis>(deadline - agent::SteadyNow(), 0)));
        BackUpWholeTree(directory, localAppData, refused,
                        {lock.Held() ? deadline : agent::SteadyNow(), started, startedUtc});
    });
    std::future<void> done = backup.get_future();
    std::thread(std::move(backup)).detach();
    done.wait_for(std::chrono::milliseconds(deadline + kReportMillis - agent::SteadyNow()));
}
