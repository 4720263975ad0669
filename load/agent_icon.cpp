#include "load/agent_icon.h"

#include "agent/last_complete_backup.h"
#include "companions/load_role.h"
#include "companions/report.h"
#include "desktop/shell_execute_shell.h"
#include "load/agent_worker.h"
#include "load/save_rounds.h"
#include "platform/file_tree.h"
#include "platform/local_time.h"
#include "platform/path_text.h"
#include "platform/win32/wide_text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace
{

constexpr agent::Millis kLookEvery = 60 * 1000;

// As the user reads a date in full ("Tuesday, 1 December 2026").
std::string LongDate(agent::UtcSeconds when)
{
    const std::time_t seconds = static_cast<std::time_t>(when);
    const std::tm local = *std::localtime(&seconds);
    SYSTEMTIME day{};
    day.wYear = static_cast<WORD>(local.tm_year + 1900);
    day.wMonth = static_cast<WORD>(local.tm_mon + 1);
    day.wDay = static_cast<WORD>(local.tm_mday);
    day.wDayOfWeek = static_cast<WORD>(local.tm_wday);
    wchar_t text[128] = {};
    if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &day, nullptr, text, 128))
        return std::to_string(day.wYear) + "-" + std::to_string(day.wMonth) + "-" +
               std::to_string(day.wDay);
    return platform::PathFromWide(text);
}

} // namespace

AgentIcon::AgentIcon(HWND window, AgentWorker& worker, std::shared_ptr<SaveRounds> rounds,
                     std::string localAppData, Shell& shell)
    : m_worker(worker), m_rounds(std::move(rounds)), m_localAppData(std::move(localAppData)),
      m_shell(shell), m_icon(window)
{
}

void AgentIcon::Hold(agent::Condition condition, const std::string& text)
{
    const char* name = agent::ConditionReportName(condition);
    if (!m_conditions.Hold(condition, text, companions::ProfileReportPath(m_localAppData, name),
                           agent::UtcNow()))
        return;
    m_worker.Post([condition, text, name, rounds = m_rounds,
                   localAppData = m_localAppData](LookWatchdog&) -> AgentWorker::Reply {
        std::string report = text + "\n";
        // The files themselves, as the worker keeps them.
        if (condition == agent::Condition::SavesWait && rounds)
            for (const std::string& file : rounds->WaitingFiles())
                report += file + "\n";
        companions::WriteProfileReport(localAppData, name, report, platform::LocalFiles());
        return nullptr;
    });
}

void AgentIcon::Destination(const std::string& destination, const agent::DestinationLook& last,
                            std::size_t waiting)
{
    if (last.state == agent::DestinationState::NotOurs)
        Hold(agent::Condition::NotOurFolder, agent::NotOurBackupText(destination));
    else
        m_conditions.End(agent::Condition::NotOurFolder);
    if (waiting > 0)
        Hold(agent::Condition::SavesWait, agent::SavesWaitText(waiting, destination));
    else
        m_conditions.End(agent::Condition::SavesWait);
}

void AgentIcon::DiskMoved(const std::string& text)
{
    Hold(agent::Condition::DiskMoved, text);
}

void AgentIcon::RunEnded(const agent::RunResult& run)
{
    m_conditions.RunEnded(run, agent::UtcNow());
}

void AgentIcon::AutoBackup(bool ticked)
{
    m_autoBackup = ticked;
    if (ticked)
        ReadLastCompleteBackup();
}

void AgentIcon::ReadLastCompleteBackup()
{
    m_worker.Post([this, localAppData = m_localAppData](LookWatchdog&) -> AgentWorker::Reply {
        const agent::UtcSeconds when =
            agent::ReadLastCompleteBackup(localAppData, agent::UtcNow(), platform::LocalFiles());
        return [this, when] { LastCompleteBackup(when); };
    });
}

void AgentIcon::LastCompleteBackup(agent::UtcSeconds when)
{
    m_lastComplete = when;
    Show();
}

void AgentIcon::Show()
{
    const agent::UtcSeconds now = agent::UtcNow();
    if (m_lastComplete && agent::NoFullBackupFor(m_autoBackup, *m_lastComplete, now))
    {
        Hold(agent::Condition::NoFullBackup, agent::NoFullBackupText(LongDate(*m_lastComplete)));
        if (agent::SteadyNow() >= m_nextRead)
        {
            m_nextRead = agent::SteadyNow() + kLookEvery;
            ReadLastCompleteBackup();
        }
    }
    else
        m_conditions.End(agent::Condition::NoFullBackup);
    for (const std::string& report : m_conditions.TakeDayOld(now))
        m_worker.Post(
            [localAppData = m_localAppData, name = std::string(platform::LastComponent(report))](
                LookWatchdog&) -> AgentWorker::Reply {
                companions::KeepReportToShow(localAppData, name, platform::LocalFiles());
                return nullptr;
            });

    std::optional<agent::IconConditions::Shown> shown = m_conditions.Showing();
    const bool balloon = m_conditions.TakeBalloon(platform::LocalTimeNow());
    if (!shown)
        m_icon.Hide();
    else if (balloon || !m_shown || m_shown->text != shown->text)
        m_icon.Show(shown->text, balloon);
    m_shown = std::move(shown);
    m_nextLook.reset();
    if (m_shown)
        m_nextLook = agent::SteadyNow() + kLookEvery;
    // Until then nothing waits: a wait does not count time asleep, but the
    // loop wakes on resume and on a change of the clock, and looks again.
    else if (m_autoBackup && m_lastComplete)
        m_nextLook = agent::SteadyNow() +
                     1000 * std::max<agent::UtcSeconds>(
                                agent::NoFullBackupFrom(*m_lastComplete) - agent::UtcNow(), 0);
}

std::optional<agent::Millis> AgentIcon::NextWake() const
{
    return m_nextLook;
}

void AgentIcon::Open()
{
    if (!m_shown)
        return;
    if (!agent::OpensRestoreWindow(m_shown->condition))
    {
        m_shell.Start(m_shown->report, kShowNormal);
        return;
    }
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    ShellExecuteShell().Start(program, platform::WideFromPath(companions::kRestoreArgument),
                              kShowNormal);
}

bool AgentIcon::OnMessage(UINT message, LPARAM lParam)
{
    if (message == NotifyIcon::TaskbarCreated())
    {
        m_icon.OnTaskbarCreated();
        return true;
    }
    if (message != NotifyIcon::kMessage)
        return false;
    switch (NotifyIcon::OnMessage(lParam))
    {
    case NotifyIcon::Event::Open:
        Open();
        m_conditions.Seen();
        break;
    case NotifyIcon::Event::BalloonGone:
        m_conditions.Seen();
        break;
    case NotifyIcon::Event::None:
        return true;
    }
    Show();
    return true;
}
