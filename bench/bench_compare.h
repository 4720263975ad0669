#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <string>
#include <vector>

using BenchClock = std::chrono::steady_clock;

inline double SecondsSince(BenchClock::time_point since)
{
    return std::chrono::duration<double>(BenchClock::now() - since).count();
}

// The middle of the values (the mean of the two middle ones for an even
// count): one iteration that a busy machine slowed does not move it.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const size_t half = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + half, values.end());
    if (values.size() % 2 != 0)
        return values[half];
    return (values[half] + *std::max_element(values.begin(), values.begin() + half)) / 2;
}

// Times `work` and, right after it each time, `baseline`, so that both see
// the same state of the machine. The counter `ratio` is how many times slower
// the work is than the baseline, and `baseline_ms` the baseline's time, each
// the median over the iterations.
template <typename Work, typename Baseline>
void Compare(benchmark::State& state, const std::string& ratio, Work work, Baseline baseline)
{
    std::vector<double> ratios;
    std::vector<double> baselines;
    for (auto _ : state)
    {
        const BenchClock::time_point start = BenchClock::now();
        work();
        const double seconds = SecondsSince(start);
        state.SetIterationTime(seconds);

        const BenchClock::time_point baselineStart = BenchClock::now();
        baseline();
        baselines.push_back(SecondsSince(baselineStart));
        ratios.push_back(seconds / baselines.back());
    }
    state.counters["baseline_ms"] = Median(baselines) * 1e3;
    state.counters[ratio] = Median(ratios);
}
