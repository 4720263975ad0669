#include "load/backup_watch.h"

#include "agent/last_complete_backup.h"
#include "companions/backup_folder.h"
#include "companions/report.h"
#include "companions/run_progress.h"
#include "companions/saved_plan.h"
#include "companions/saved_selection.h"
#include "load/directory_watch.h"
#include "platform/computer.h"
#include "platform/environment.h"
#include "platform/file_tree.h"
#include "platform/path_text.h"

BackupWatch::BackupWatch(const InstallDirectory& directory, BackupProcessHandles processes,
                         platform::Handle runningMutex, const std::tm& start)
    : m_directory(directory), m_processes(std::move(processes)),
      m_runningMutex(std::move(runningMutex)), m_start(start)
{
}

void BackupWatch::Run()
{
    // The dialog saves the store after it has started this monitor.
    if (m_processes.dialog.IsOpen())
        WaitForSingleObject(m_processes.dialog.Get(), INFINITE);
    // Nothing saved (a start by hand before any save): nothing to expect. A
    // store that cannot be read gives no verdict at all, never "All 0".
    const companions::SavedPlanRead read = companions::ReadSavedPlan(
        m_directory, platform::LocalFiles(), companions::SavedPlanUse::Follow);
    const std::optional<companions::SavedPlan>& saved = read.saved;
    const std::string destination = saved ? saved->selection.destination : std::string();
    // Watched before the files are listed: what arrives meanwhile is seen by
    // the first judging or reported afterwards.
    DirectoryWatch changes(destination);
    companions::RunProgress progress(
        saved ? companions::ListExpectedFiles(saved->plan, platform::LocalFiles())
              : std::vector<companions::ExpectedFile>(),
        saved ? saved->refused : std::vector<companions::RefusedSource>(), platform::LocalFiles());
    Publish(progress, false);
    FollowCopies(progress, changes, destination);

    // "Backup Now" was the user's own act: the folder is this computer's backup.
    if (platform::LocalFiles().IsFolder(destination))
        companions::MarkAsOurs(destination, platform::ThisComputer(), platform::LocalFiles());
    // The batch erases itself with its last line; still there, it was stopped.
    const bool stoppedEarly =
        platform::LocalFiles().Facts(m_directory.PathOf(kBackupBatchFile)).has_value();
    // Looked at before the mutex goes: a new run may write a new backup.bat.
    m_runningMutex.Close();
    companions::ReportPublisher publisher(platform::LocalFiles(), m_start, destination,
                                          platform::LocalAppData());
    std::optional<companions::Verdict> verdict;
    std::vector<std::string> reports;
    std::string notJudged;
    if (!read.unreadable.empty())
    {
        notJudged = companions::UnreadableStoreText(read.unreadable);
        if (std::string path = publisher.Notice(notJudged); !path.empty())
            reports.push_back(std::move(path));
    }
    else
    {
        verdict = progress.Finish(stoppedEarly, destination);
        // The window shows the report: it is never kept for the next log-on.
        reports = publisher.Final(*verdict, true);
        // "All": the agent's daily catch-up counts its day from here.
        if (!verdict->HasBadNews())
            agent::KeepLastCompleteBackup(platform::LocalAppData(), m_startedUtc,
                                          platform::LocalFiles());
    }
    std::lock_guard<std::mutex> hold(m_lock);
    m_phase = companions::MonitorPhase::Done;
    m_notJudged = std::move(notJudged);
    m_verdict = std::move(verdict);
    m_reports = std::move(reports);
    m_finished = std::chrono::steady_clock::now();
    if (m_window)
        PostMessageA(m_window, m_message, 0, 0);
}

void BackupWatch::FollowCopies(companions::RunProgress& progress, DirectoryWatch& changes,
                               const std::string& destination)
{
    std::vector<std::string> names;
    while (m_processes.batch.IsOpen())
    {
        const HANDLE waits[] = {m_processes.batch.Get(), changes.Event()};
        const DWORD woken = WaitForMultipleObjects(waits[1] ? 2 : 1, waits, FALSE, INFINITE);
        if (woken != WAIT_OBJECT_0 + 1)
            return;
        names.clear();
        if (!changes.Take(names))
            progress.OnChangesLost();
        bool arrived = false;
        for (const std::string& name : names)
            arrived = progress.OnChanged(platform::JoinPath(destination, name)) || arrived;
        if (arrived)
            Publish(progress, true);
    }
}

void BackupWatch::Publish(const companions::RunProgress& progress, bool arrived)
{
    std::lock_guard<std::mutex> hold(m_lock);
    // A stall counts from the start of the copying, not of the listing.
    if (arrived || m_phase == companions::MonitorPhase::GettingReady)
        m_lastArrival = std::chrono::steady_clock::now();
    m_phase = companions::MonitorPhase::Copying;
    m_progress = progress.Now();
    if (m_window)
        PostMessageA(m_window, m_message, 0, 0);
}

MonitorSnapshot BackupWatch::Snapshot() const
{
    using std::chrono::duration_cast;
    using std::chrono::seconds;
    std::lock_guard<std::mutex> hold(m_lock);
    MonitorSnapshot snapshot;
    snapshot.state.phase = m_phase;
    snapshot.state.progress = m_progress;
    snapshot.state.verdict = m_verdict;
    snapshot.state.notJudged = m_notJudged;
    const auto now =
        m_phase == companions::MonitorPhase::Done ? m_finished : std::chrono::steady_clock::now();
    snapshot.state.elapsed = duration_cast<seconds>(now - m_started);
    snapshot.state.quiet = duration_cast<seconds>(now - m_lastArrival);
    snapshot.reports = m_reports;
    return snapshot;
}

void BackupWatch::NotifyChanges(HWND window, UINT message)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_window = window;
    m_message = message;
}
