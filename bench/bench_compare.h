#pragma once

#include <benchmark/benchmark.h>
#include <chrono>
#include <string>

using BenchClock = std::chrono::steady_clock;

inline double SecondsSince(BenchClock::time_point since)
{
    return std::chrono::duration<double>(BenchClock::now() - since).count();
}

// Times `work` and, right after it each time, `baseline`, so that both see
// the same state of the machine. The counter `ratio` is how many times
// slower the work is than the baseline; `baseline_ms` is the baseline's time.
template <typename Work, typename Baseline>
void Compare(benchmark::State& state, const std::string& ratio, Work work, Baseline baseline)
{
    double workSeconds = 0;
    double baselineSeconds = 0;
    for (auto _ : state)
    {
        const BenchClock::time_point start = BenchClock::now();
        work();
        const double seconds = SecondsSince(start);
        state.SetIterationTime(seconds);
        workSeconds += seconds;

        const BenchClock::time_point baselineStart = BenchClock::now();
        baseline();
        baselineSeconds += SecondsSince(baselineStart);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["baseline_ms"] = baselineSeconds / n * 1e3;
    state.counters[ratio] = workSeconds / baselineSeconds;
}
