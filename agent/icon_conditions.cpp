#include "agent/icon_conditions.h"

namespace agent
{
namespace
{

constexpr UtcSeconds kDay = 24 * 60 * 60;
constexpr UtcSeconds kWeek = 7 * kDay;

} // namespace

std::string SavesWaitText(std::size_t waiting, const std::string& destination)
{
    return std::to_string(waiting) + " saved files wait for your backup folder " + destination +
           ".";
}

std::string FilesNotBackedUpText(std::size_t files)
{
    return std::to_string(files) + " files could not be backed up.";
}

std::string NoFullBackupText(const std::string& since)
{
    return "Your files have not been fully backed up since " + since +
           ". Connect your backup disk, or press Backup Now.";
}

bool NoFullBackupFor(bool autoBackup, UtcSeconds lastComplete, UtcSeconds now)
{
    return autoBackup && now >= NoFullBackupFrom(lastComplete);
}

UtcSeconds NoFullBackupFrom(UtcSeconds lastComplete)
{
    return lastComplete + kWeek + 1;
}

const char* ConditionReportName(Condition condition)
{
    switch (condition)
    {
    case Condition::NotOurFolder:
        return "not your backup folder.txt";
    case Condition::DiskMoved:
        return "backup disk moved.txt";
    case Condition::SavesWait:
        return "saves waiting.txt";
    case Condition::FilesNotBackedUp:
        break;
    case Condition::NoFullBackup:
        return "no full backup.txt";
    }
    return "";
}

bool IconConditions::Hold(Condition condition, const std::string& text, const std::string& report,
                          UtcSeconds now)
{
    std::optional<Held>& held = m_held[Index(condition)];
    if (held && held->text == text && held->report == report)
        return false;
    if (held)
    {
        held->text = text;
        held->report = report;
    }
    else
        held = Held{text, report, now};
    return true;
}

void IconConditions::End(Condition condition)
{
    m_held[Index(condition)].reset();
}

std::optional<IconConditions::Shown> IconConditions::Showing() const
{
    for (std::size_t index = 0; index < kConditions; ++index)
    {
        if (m_held[index])
            return Shown{static_cast<Condition>(index), m_held[index]->text, m_held[index]->report};
    }
    return std::nullopt;
}

void IconConditions::RunEnded(const RunResult& run, UtcSeconds now)
{
    if (run.notBackedUp > 0)
    {
        Hold(Condition::FilesNotBackedUp, FilesNotBackedUpText(run.notBackedUp), run.report, now);
        m_failedRunWholeTree = run.wholeTree;
    }
    // Copy on save's clean day says nothing of the files a whole run missed.
    else if (run.wholeTree || !m_failedRunWholeTree)
        End(Condition::FilesNotBackedUp);
}

bool IconConditions::TakeBalloon(const std::tm& today)
{
    const std::optional<Shown> shown = Showing();
    if (!shown)
        return false;
    const int day = today.tm_year * 1000 + today.tm_yday;
    std::optional<int>& last = m_balloonDay[Index(shown->condition)];
    if (last == day)
        return false;
    last = day;
    return true;
}

void IconConditions::Seen()
{
    const std::optional<Shown> shown = Showing();
    if (shown && shown->condition == Condition::DiskMoved)
        End(Condition::DiskMoved);
}

std::vector<std::string> IconConditions::TakeDayOld(UtcSeconds now)
{
    std::vector<std::string> reports;
    for (std::optional<Held>& held : m_held)
    {
        if (held && !held->keptForLogOn && now - held->since > kDay)
        {
            held->keptForLogOn = true;
            reports.push_back(held->report);
        }
    }
    return reports;
}

} // namespace agent
