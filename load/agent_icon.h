#pragma once

#include "agent/agent_clock.h"
#include "agent/destination_look.h"
#include "agent/icon_conditions.h"
#include "load/notify_icon.h"
#include "model/shell.h"

#include <memory>
#include <optional>
#include <string>
#include <windows.h>

class AgentWorker;
class SaveRounds;

// The resident agent's word when backups stop: it hands over what it knows
// (its destination, the saves that wait, the runs that ended, the last
// complete backup), and the icon shows the highest condition that needs the
// user, by the wall clock. The conditions' reports are written on the
// agent's worker; a click opens the one behind the icon.
class AgentIcon
{
  public:
    // `shell` opens the reports.
    AgentIcon(HWND window, AgentWorker& worker, std::shared_ptr<SaveRounds> rounds,
              std::string localAppData, Shell& shell);

    // The destination as the store names it, the last look at it, and the
    // saves that wait for it (none without copy on save).
    void Destination(const std::string& destination, const agent::DestinationLook& last,
                     std::size_t waiting);
    // The disk was found at another letter: this text, told once.
    void DiskMoved(const std::string& text);
    // A run of the agent ended (copy on save's day, the catch-up). On the
    // window's thread.
    void RunEnded(const agent::RunResult& run);
    bool CopiesFailed() const { return m_conditions.CopiesFailed(); }
    // "Auto Backup On Shutdown Or Log Off" ticked or not: with it, the time
    // of the last complete backup is read from the profile (on the worker).
    void AutoBackup(bool ticked);
    // A run of the agent was complete at `when`.
    void LastCompleteBackup(agent::UtcSeconds when);

    // Shows what holds now, with a balloon when one is due, and keeps for
    // the next log-on what has held for a day.
    void Show();
    // While a condition holds, the wall clock is looked at once a minute (a
    // day-old condition, the next day's balloon); otherwise only when no
    // complete backup for a week will be told.
    std::optional<agent::Millis> NextWake() const;

    // The icon's and the taskbar's messages; true when it was one.
    bool OnMessage(UINT message, LPARAM lParam);

  private:
    void Hold(agent::Condition condition, const std::string& text);
    void Open();
    void ReadLastCompleteBackup();

    AgentWorker& m_worker;
    std::shared_ptr<SaveRounds> m_rounds;
    std::string m_localAppData;
    Shell& m_shell;
    NotifyIcon m_icon;
    agent::IconConditions m_conditions;
    std::optional<agent::IconConditions::Shown> m_shown;
    bool m_autoBackup = false;
    std::optional<agent::UtcSeconds> m_lastComplete;
    std::optional<agent::Millis> m_nextLook;
    // While no complete backup for a week is told, the profile's time is read
    // again each minute: "Backup Now" keeps it there.
    agent::Millis m_nextRead = 0;
};
