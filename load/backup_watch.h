#pragma once

#include "agent/agent_clock.h"
#include "load/backup_process_handles.h"
#include "load/monitor_source.h"
#include "model/install_directory.h"

#include <atomic>
#include <chrono>
#include <ctime>
#include <mutex>

class DirectoryWatch;
namespace companions
{
class RunProgress;
}

// Follows one run from its own thread: waits for the dialog to end, works out
// the files to expect from the saved store, counts them in as the file system
// reports them, and once the batch has ended gives the verdict and writes the
// report. It only ever waits on handles: processes and change reports.
class BackupWatch : public MonitorSource
{
  public:
    // Takes the handles, the mutex of a running backup among them, and
    // closes each when done with it.
    BackupWatch(const InstallDirectory& directory, BackupProcessHandles processes,
                platform::Handle runningMutex, const std::tm& start);

    // The whole run; returns once the report is written.
    void Run();

    MonitorSnapshot Snapshot() const override;
    void NotifyChanges(HWND window, UINT message) override;

  private:
    // Waits for the batch to end, counting arrivals meanwhile.
    void FollowCopies(companions::RunProgress& progress, DirectoryWatch& changes,
                      const std::string& destination);
    void Publish(const companions::RunProgress& progress, bool arrived);

    InstallDirectory m_directory;
    BackupProcessHandles m_processes;
    platform::Handle m_runningMutex;
    std::tm m_start;
    agent::UtcSeconds m_startedUtc = agent::UtcNow();
    const std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();

    mutable std::mutex m_lock;
    companions::MonitorPhase m_phase = companions::MonitorPhase::GettingReady;
    companions::Progress m_progress;
    std::optional<companions::Verdict> m_verdict;
    std::string m_notJudged;
    std::vector<std::string> m_reports;
    std::chrono::steady_clock::time_point m_lastArrival = m_started;
    std::chrono::steady_clock::time_point m_finished{};
    HWND m_window = nullptr;
    UINT m_message = 0;
};
