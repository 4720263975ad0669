#pragma once

#include "agent/catch_up_schedule.h"
#include "agent/icon_conditions.h"
#include "model/install_directory.h"

#include <memory>
#include <optional>
#include <string>
#include <windows.h>

class AgentWorker;

// The resident agent's daily catch-up on Windows: the schedule on the window's
// thread, fed the minute tick, the resume and the power's and the network's
// changes; the look at the destination on the worker; the run on a thread of
// its own in background mode (low processor and disk priority), holding the
// agents' mutex, sharing no lock with copy on save.
class AgentCatchUp
{
  public:
    // Posted to the agent's window when a run ended; WPARAM: complete or not.
    static constexpr UINT kRunEnded = WM_APP + 30;

    AgentCatchUp(HWND window, AgentWorker& worker, const InstallDirectory& directory,
                 std::string localAppData);
    // A run under way is stopped and given a moment to write its report.
    ~AgentCatchUp();
    AgentCatchUp(const AgentCatchUp&) = delete;
    AgentCatchUp& operator=(const AgentCatchUp&) = delete;

    // With the log-off backup ticked and a plan saved for `destination`.
    void Follow(bool enabled, std::string destination, agent::Millis now);
    std::optional<agent::Millis> NextWake() const { return m_schedule.NextWake(); }
    // `mayLook`: the destination, a share, has not refused the user.
    void Tick(agent::Millis now, bool mayLook);
    // Windows resumed from sleep: the wall clock counted the time asleep.
    void Resumed(bool mayLook);
    // The power source or the network changed: a run reads them again.
    void ConditionsChanged();
    // What the ended run could not back up, for the agent's icon; none when
    // it was stopped.
    std::optional<agent::RunResult> RunEnded(bool complete);
    // The wall-clock start of the last run, kept as the last complete
    // backup's time when it was complete.
    agent::UtcSeconds RunStarted() const { return m_runStarted; }
    bool Running() const { return m_run != nullptr; }
    // The session ends: a run stops, none starts any more, and the log-off
    // backup does the rest.
    void EndSession();

  private:
    struct Run;
    void Ask(bool mayLook);
    void Start();

    HWND m_window;
    AgentWorker& m_worker;
    InstallDirectory m_directory;
    std::string m_localAppData;
    std::string m_destination;
    agent::CatchUpSchedule m_schedule;
    agent::UtcSeconds m_runStarted = 0;
    std::shared_ptr<Run> m_run;
    bool m_sessionEnded = false;
};
