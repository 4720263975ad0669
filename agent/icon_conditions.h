#pragma once

#include "agent/agent_clock.h"

#include <array>
#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

// What the agent's icon in the notification area says: the conditions that
// need the user, the highest of them shown with its text, a balloon once per
// condition and day. Windows may hold balloons back (quiet hours, the
// notification settings), so a condition that has held for more than a day
// has its report kept for the next log-on's display too. The agent feeds it
// facts and the wall clock; the window side only shows what it answers.
namespace agent
{

// Highest first: the icon shows the first that holds.
enum class Condition
{
    // Another folder at the destination's place.
    NotOurFolder,
    // The backup disk found at another letter: told once, then gone.
    DiskMoved,
    // Saves wait for a destination that is away.
    SavesWait,
    // A run of the agent ended with files not backed up.
    FilesNotBackedUp,
    // No complete backup for more than a week.
    NoFullBackup,
};
inline constexpr std::size_t kConditions = 5;

// What a run of the agent came to (copy on save's day, the log-off backup,
// the catch-up), as the icon needs it.
struct RunResult
{
    std::size_t notBackedUp = 0;
    // The run's report in the profile.
    std::string report;
    // The run looked at every file of the selection: none not backed up
    // means the earlier runs' files are backed up too.
    bool wholeTree = false;
};

// The texts.
std::string SavesWaitText(std::size_t waiting, const std::string& destination);
std::string FilesNotBackedUpText(std::size_t files);
// `since` in the user's long date format.
std::string NoFullBackupText(const std::string& since);

// Whether a week has gone by since the last complete backup (UTC seconds),
// with the automatic backups ticked.
bool NoFullBackupFor(bool autoBackup, UtcSeconds lastComplete, UtcSeconds now);
// The first second at which it is told.
UtcSeconds NoFullBackupFrom(UtcSeconds lastComplete);

// A click on a moved disk's icon opens the restore window, which shows the
// backup where it now is; on the others, the report behind the icon.
inline bool OpensRestoreWindow(Condition condition)
{
    return condition == Condition::DiskMoved;
}

// The report a condition of the agent's own keeps in the profile (reports
// folder) behind the icon; a failed run's report is its own.
const char* ConditionReportName(Condition condition);

class IconConditions
{
  public:
    struct Shown
    {
        Condition condition;
        std::string text;
        // The report behind it, a full path.
        std::string report;
    };

    // The condition holds with this text and report; one that held already
    // keeps its start. True when the text is new (its report to write).
    bool Hold(Condition condition, const std::string& text, const std::string& report,
              UtcSeconds now);
    void End(Condition condition);
    bool Holds(Condition condition) const { return m_held[Index(condition)].has_value(); }
    // The highest condition that holds, or none: the icon goes.
    std::optional<Shown> Showing() const;

    void RunEnded(const RunResult& run, UtcSeconds now);
    // Files copy on save could not copy are told: its next round judges the
    // day's files again, so that the word goes once they are copied.
    bool CopiesFailed() const
    {
        return Holds(Condition::FilesNotBackedUp) && !m_failedRunWholeTree;
    }

    // Whether the shown condition's balloon is due: not yet shown on the
    // user's day (local time) `today`.
    bool TakeBalloon(const std::tm& today);
    // The balloon or the icon was seen: a moved disk has been told.
    void Seen();

    // The reports of the conditions that now hold for more than a day, each
    // once: kept for the next log-on's display.
    std::vector<std::string> TakeDayOld(UtcSeconds now);

  private:
    struct Held
    {
        std::string text;
        std::string report;
        UtcSeconds since;
        bool keptForLogOn = false;
    };
    static std::size_t Index(Condition condition) { return static_cast<std::size_t>(condition); }

    std::array<std::optional<Held>, kConditions> m_held;
    std::array<std::optional<int>, kConditions> m_balloonDay;
    bool m_failedRunWholeTree = false;
};

} // namespace agent
