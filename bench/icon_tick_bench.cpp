// What the agent's icon does each minute while a condition holds: the
// "tick_us" counter, which scripts/bench sets against its minute.
#include "agent/icon_conditions.h"
#include "bench/bench_compare.h"
#include "platform/local_time.h"

#include <vector>

namespace
{

void IconMinuteTick(benchmark::State& state)
{
    agent::IconConditions conditions;
    const std::string destination = "E:\\Backup";
    const agent::UtcSeconds lastComplete = agent::UtcNow() - 3 * 24 * 60 * 60;
    std::vector<double> ticks;
    for (auto _ : state)
    {
        // As the agent's window thread does at the tick: the wall clock, the
        // saves that wait, the week's backup, the day's balloon, the day-old.
        const BenchClock::time_point start = BenchClock::now();
        const agent::UtcSeconds now = agent::UtcNow();
        conditions.Hold(agent::Condition::SavesWait, agent::SavesWaitText(3, destination),
                        "C:\\profile\\saves waiting.txt", now);
        if (!agent::NoFullBackupFor(true, lastComplete, now))
            conditions.End(agent::Condition::NoFullBackup);
        benchmark::DoNotOptimize(conditions.Showing());
        benchmark::DoNotOptimize(conditions.TakeBalloon(platform::LocalTimeNow()));
        benchmark::DoNotOptimize(conditions.TakeDayOld(now));
        ticks.push_back(SecondsSince(start));
        state.SetIterationTime(ticks.back());
    }
    state.counters["tick_us"] = Median(ticks) * 1e6;
}

} // namespace

BENCHMARK(IconMinuteTick)->Iterations(1000)->UseManualTime()->Unit(benchmark::kMicrosecond);
