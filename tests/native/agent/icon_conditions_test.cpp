#include "agent/icon_conditions.h"

#include <gtest/gtest.h>

using agent::Condition;

namespace
{

constexpr agent::UtcSeconds kHour = 60 * 60;
constexpr agent::UtcSeconds kDay = 24 * kHour;

std::tm Day(int yday)
{
    std::tm day{};
    day.tm_year = 126;
    day.tm_yday = yday;
    return day;
}

std::optional<Condition> ShownCondition(const agent::IconConditions& conditions)
{
    const auto shown = conditions.Showing();
    return shown ? std::optional(shown->condition) : std::nullopt;
}

} // namespace

// A week without a complete backup, with the automatic backups on, is told.
TEST(IconConditions, NoFullBackupForAWeek)
{
    EXPECT_EQ("Your files have not been fully backed up since Tuesday, 1 December 2026. Connect "
              "your backup disk, or press Backup Now.",
              agent::NoFullBackupText("Tuesday, 1 December 2026"));
    const struct
    {
        bool autoBackup;
        agent::UtcSeconds age;
        bool due;
    } cases[] = {{true, 7 * kDay, false}, {true, 7 * kDay + 1, true}, {false, 30 * kDay, false}};
    for (const auto& test : cases)
        EXPECT_EQ(test.due, agent::NoFullBackupFor(test.autoBackup, 1000, 1000 + test.age))
            << test.age;
}

// The icon shows the highest condition that holds, and goes when none does.
TEST(IconConditions, TheHighestThatHoldsIsShown)
{
    const struct
    {
        bool hold;
        Condition condition;
        std::optional<Condition> shown;
    } steps[] = {
        {true, Condition::NoFullBackup, Condition::NoFullBackup},
        {true, Condition::SavesWait, Condition::SavesWait},
        {true, Condition::FilesNotBackedUp, Condition::SavesWait},
        {true, Condition::NotOurFolder, Condition::NotOurFolder},
        {true, Condition::DiskMoved, Condition::NotOurFolder},
        {false, Condition::NotOurFolder, Condition::DiskMoved},
        {false, Condition::DiskMoved, Condition::SavesWait},
        {false, Condition::SavesWait, Condition::FilesNotBackedUp},
        {false, Condition::FilesNotBackedUp, Condition::NoFullBackup},
        {false, Condition::NoFullBackup, std::nullopt},
    };
    agent::IconConditions conditions;
    for (const auto& step : steps)
    {
        if (step.hold)
            conditions.Hold(step.condition, "text", "report", 0);
        else
            conditions.End(step.condition);
        EXPECT_EQ(step.shown, ShownCondition(conditions))
            << static_cast<int>(step.condition) << " " << step.hold;
    }
}

// A run with files not backed up holds the condition with its report; a
// clean run ends it, but copy on save's clean day does not end what a whole
// run missed.
TEST(IconConditions, RunsThatFailedAndRunsThatDidNot)
{
    const struct
    {
        std::size_t notBackedUp;
        const char* report;
        bool wholeTree;
        // The icon's text after the run, and its report; none: no icon.
        const char* text;
        const char* shownReport;
        bool copiesFailed;
    } runs[] = {
        {2, "a.txt", false, "2 files could not be backed up.", "a.txt", true},
        {0, "", false, nullptr, nullptr, false},
        {5, "b.txt", true, "5 files could not be backed up.", "b.txt", false},
        {0, "", false, "5 files could not be backed up.", "b.txt", false},
        {1, "c.txt", false, "1 files could not be backed up.", "c.txt", true},
        {0, "d.txt", true, nullptr, nullptr, false},
    };
    agent::IconConditions conditions;
    for (const auto& step : runs)
    {
        conditions.RunEnded({step.notBackedUp, step.report, step.wholeTree}, 0);
        const auto shown = conditions.Showing();
        ASSERT_EQ(step.text != nullptr, shown.has_value()) << step.report;
        if (shown)
        {
            EXPECT_EQ(step.text, shown->text);
            EXPECT_EQ(step.shownReport, shown->report);
        }
        EXPECT_EQ(step.copiesFailed, conditions.CopiesFailed()) << step.report;
    }
}

// One balloon per condition and day: a condition that comes back the same
// day, or is shown again after a higher one ended, has none; the next day it
// has one again. A moved disk, once seen, is gone.
TEST(IconConditions, OneBalloonPerConditionAndDay)
{
    agent::IconConditions conditions;
    EXPECT_FALSE(conditions.TakeBalloon(Day(10)));
    conditions.Hold(Condition::SavesWait, "waits", "r3", 0);
    EXPECT_TRUE(conditions.TakeBalloon(Day(10)));
    EXPECT_FALSE(conditions.TakeBalloon(Day(10)));
    conditions.End(Condition::SavesWait);
    conditions.Hold(Condition::SavesWait, "waits", "r3", 0);
    EXPECT_FALSE(conditions.TakeBalloon(Day(10)));

    conditions.Hold(Condition::DiskMoved, "moved", "r2", 0);
    EXPECT_TRUE(conditions.TakeBalloon(Day(10)));
    conditions.Seen();
    EXPECT_EQ(Condition::SavesWait, ShownCondition(conditions));
    EXPECT_FALSE(conditions.TakeBalloon(Day(10)));
    EXPECT_TRUE(conditions.TakeBalloon(Day(11)));
    // Only a moved disk goes once seen.
    conditions.Seen();
    EXPECT_EQ(Condition::SavesWait, ShownCondition(conditions));
}

// A condition that has held for more than a day, its text changed or not,
// has its report kept for the next log-on, once.
TEST(IconConditions, ADayOldConditionIsKeptForTheNextLogOn)
{
    agent::IconConditions conditions;
    EXPECT_TRUE(conditions.Hold(Condition::SavesWait, "1 waits", "r3", 0));
    EXPECT_FALSE(conditions.Hold(Condition::SavesWait, "1 waits", "r3", kHour));
    EXPECT_TRUE(conditions.Hold(Condition::SavesWait, "2 wait", "r3", 20 * kHour));
    conditions.Hold(Condition::NoFullBackup, "week", "r5", 20 * kHour);
    EXPECT_TRUE(conditions.TakeDayOld(kDay).empty());
    EXPECT_EQ(std::vector<std::string>{"r3"}, conditions.TakeDayOld(kDay + 1));
    EXPECT_TRUE(conditions.TakeDayOld(kDay + 2).empty());
    EXPECT_EQ(std::vector<std::string>{"r5"}, conditions.TakeDayOld(45 * kHour));
    conditions.End(Condition::SavesWait);
    conditions.Hold(Condition::SavesWait, "1 waits", "r3", 45 * kHour);
    EXPECT_TRUE(conditions.TakeDayOld(60 * kHour).empty());
}
