#include "agent/catch_up_gate.h"
#include "agent/catch_up_schedule.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{

using agent::CatchUpSchedule;
using agent::PowerSource;
constexpr agent::UtcSeconds kHour = 3600, kDay = CatchUpSchedule::kDay;
// The last complete backup, and when the agent started.
constexpr agent::UtcSeconds kLast = 1'800'000'000;

// Asks on the tick or a resume at `wall`, looks, and says whether it started.
bool Try(CatchUpSchedule& schedule, agent::UtcSeconds wall, PowerSource power = PowerSource::Mains,
         bool there = true)
{
    if (!schedule.Due(wall, power))
        return false;
    schedule.Looking();
    return schedule.Looked(schedule.LastComplete(), there, wall, power);
}

} // namespace

// The wall clock decides: a day and a second after the last complete backup,
// on mains with the destination there, it starts; never twice a day, however
// the run ended; a complete one moves the day on.
TEST(CatchUpSchedule, RunsAtMostOnceADayOnMainsWithTheDestinationThere)
{
    CatchUpSchedule schedule(kLast);
    schedule.Follow(true, 0);
    EXPECT_FALSE(Try(schedule, kLast + kDay));
    EXPECT_FALSE(Try(schedule, kLast + kDay + 1, PowerSource::Battery));
    EXPECT_FALSE(Try(schedule, kLast + kDay + 1, PowerSource::Mains, false));
    ASSERT_TRUE(Try(schedule, kLast + kDay + 1));
    EXPECT_FALSE(Try(schedule, kLast + kDay + 2)) << "running";
    schedule.Ended(false, kLast + kDay + 1); // a file was in use
    EXPECT_FALSE(Try(schedule, kLast + 2 * kDay));
    ASSERT_TRUE(Try(schedule, kLast + 2 * kDay + 1));
    schedule.Ended(true, kLast + 2 * kDay + 1);
    EXPECT_FALSE(Try(schedule, kLast + 3 * kDay + 1));
    EXPECT_TRUE(Try(schedule, kLast + 3 * kDay + 2));

    schedule.Follow(false, 0);
    EXPECT_FALSE(schedule.Due(kLast + 10 * kDay, PowerSource::Mains));
    EXPECT_EQ(std::nullopt, schedule.NextWake());
}

// A "Backup Now" kept a newer time while the tick was on its way: the look
// reads it and nothing starts. A clock set back before the last start waits
// a day from that start.
TEST(CatchUpSchedule, TakesTheTimeReadAtTheLook)
{
    CatchUpSchedule schedule(kLast);
    schedule.Follow(true, 0);
    ASSERT_TRUE(schedule.Due(kLast + 2 * kDay, PowerSource::Mains));
    schedule.Looking();
    EXPECT_FALSE(schedule.Due(kLast + 2 * kDay, PowerSource::Mains)) << "one look at a time";
    EXPECT_FALSE(
        schedule.Looked(kLast + 2 * kDay - kHour, true, kLast + 2 * kDay, PowerSource::Mains));

    CatchUpSchedule setBack(kLast);
    setBack.Follow(true, 0);
    ASSERT_TRUE(Try(setBack, kLast + 2 * kDay));
    setBack.Ended(false, kLast + 2 * kDay);
    EXPECT_FALSE(Try(setBack, kLast + kDay + kHour));
}

// The tick runs once a minute on the steady clock, which stands still while
// the computer sleeps; a resume asks at once, and the wall clock has counted
// the night: a laptop closed at 18:00 the day before and opened in the
// morning starts the catch-up without waiting for a tick.
TEST(CatchUpSchedule, AsksOnTheTickAndAtOnceOnResume)
{
    CatchUpSchedule schedule(kLast);
    schedule.Follow(true, 1000);
    EXPECT_EQ(61000, schedule.NextWake());
    EXPECT_FALSE(schedule.TakeTick(60999));
    EXPECT_TRUE(schedule.TakeTick(61000));
    EXPECT_EQ(121000, schedule.NextWake());
    EXPECT_FALSE(Try(schedule, kLast + 10 * kHour)); // the evening: asleep then
    // Asleep for 16 hours: the steady clock moved a minute, the wall clock
    // the night, and the resume asks now.
    EXPECT_TRUE(Try(schedule, kLast + 26 * kHour));
}

// Before each file: on battery, on a metered share and while a "Backup Now"
// runs the run waits, and goes on once all is well; a stop (the session's
// end) ends it, waiting or not.
TEST(CatchUpGate, PausesAndStops)
{
    const agent::CatchUpConditions well, battery{PowerSource::Battery},
        metered{PowerSource::Mains, true}, backup{PowerSource::Mains, false, true};
    std::vector<agent::CatchUpConditions> seen{battery, metered, backup, backup, well};
    std::vector<agent::Millis> waits;
    agent::CatchUpGate* stopping = nullptr;
    agent::CatchUpGate gate(
        [&] {
            const agent::CatchUpConditions next = seen.front();
            if (seen.size() > 1)
                seen.erase(seen.begin());
            return next;
        },
        [&](agent::Millis millis) {
            waits.push_back(millis);
            if (stopping)
                stopping->Stop();
        });
    EXPECT_TRUE(gate.GoOn());
    EXPECT_EQ((std::vector<agent::Millis>{
                  agent::CatchUpGate::kConditionsLook, agent::CatchUpGate::kConditionsLook,
                  agent::CatchUpGate::kBackupLook, agent::CatchUpGate::kBackupLook}),
              waits);
    EXPECT_TRUE(gate.GoOn());

    seen = {battery};
    stopping = &gate;
    EXPECT_FALSE(gate.GoOn());
    EXPECT_FALSE(gate.GoOn());
}
