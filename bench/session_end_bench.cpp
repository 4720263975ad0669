// The backup at the end of the session over the generated 100,000-file tree.
// Every copy current: against bare listings of the source and the destination
// ("x_listings", the aim is at most 2). With 1,000 files changed: what the
// run takes beyond the unchanged run, against a plain copy of those files
// ("x_plain_copy", the aim is at most 1.5), and against the same copies
// keeping their old copies as versions done straight to the file system
// ("x_floor"), the least that work can cost. The daily catch-up of the
// unchanged tree, its gate asked before each file, against the same listings
// ("x_listings", at most 2), and what its minute tick costs when nothing is due.
#include "agent/catch_up_gate.h"
#include "agent/session_end_backup.h"
#include "bench/bench_compare.h"
#include "bench/generated_tree.h"
#include "bench/keeping_copy_floor.h"
#include "companions/saved_plan.h"
#include "store/store_file.h"
#include "store/store_formats.h"

#include <chrono>
#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;

// The tree saved as the one source, All File Types, its copies made once.
class SessionEndSetup
{
  public:
    SessionEndSetup()
    {
        fs::remove_all(m_root);
        fs::create_directories(m_install);
        fs::create_directories(m_destination);
        fs::create_directories(m_profile);
        BackupSelection selection;
        selection.sources = {Tree().Root()};
        selection.destination = m_destination.string();
        selection.SetTicked(OptionFlag::AllFileTypes, true);
        const InstallDirectory directory(m_install.string());
        platform::FileTree& disk = platform::LocalFiles();
        store::ReplaceWithText(directory.PathOf(kSettingsFile),
                               store::FormatSettings(selection.flags), disk);
        store::ReplaceWithText(directory.PathOf(kDataFile), selection.destination, disk);
        store::ReplaceWithText(directory.PathOf(kFilesToBackupFile),
                               store::FormatSourceList(selection.sources), disk);
        m_saved = companions::ReadSavedPlan(directory, disk).saved;
        Run();
    }
    ~SessionEndSetup() { fs::remove_all(m_root); }

    void Run(std::function<bool()> goOn = {}) const
    {
        const auto now = [] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                       BenchClock::now().time_since_epoch())
                .count();
        };
        agent::SessionEndRun run{platform::LocalFiles(), now, now() + 3600 * 1000, std::tm{},
                                 m_profile.string()};
        if (goOn)
        {
            run.goOn = std::move(goOn);
            run.reportSuffix = " catch-up";
        }
        benchmark::DoNotOptimize(agent::BackUpAtSessionEnd(*m_saved, run));
    }

    std::string Destination() const { return m_destination.string(); }

  private:
    fs::path m_root = fs::temp_directory_path() / "corvane-bench-session-end";
    fs::path m_install = m_root / "install";
    fs::path m_destination = m_root / "destination";
    fs::path m_profile = m_root / "profile";
    std::optional<companions::SavedPlan> m_saved;
};

const SessionEndSetup& Setup()
{
    static const SessionEndSetup setup;
    return setup;
}

void UnchangedTree(benchmark::State& state)
{
    const SessionEndSetup& setup = Setup();
    Compare(
        state, "x_listings", [&] { setup.Run(); },
        [&] {
            ListBare(Tree().Root());
            ListBare(setup.Destination());
        });
}

// The catch-up's gate reads the conditions before each file; on Windows the
// look for the monitor's mutex is one OpenMutex more per file.
void CatchUpUnchangedTree(benchmark::State& state)
{
    const SessionEndSetup& setup = Setup();
    agent::CatchUpGate gate([] { return agent::CatchUpConditions{}; }, [](agent::Millis) {});
    Compare(
        state, "x_listings", [&] { setup.Run([&gate] { return gate.GoOn(); }); },
        [&] {
            ListBare(Tree().Root());
            ListBare(setup.Destination());
        });
}

// The agent's minute tick when no catch-up is due: the wall clock read and
// compared, nothing more (no file is read).
void CatchUpTick(benchmark::State& state)
{
    agent::CatchUpSchedule schedule(agent::UtcNow());
    schedule.Follow(true, 0);
    agent::Millis now = 0;
    for (auto _ : state)
    {
        now += agent::CatchUpSchedule::kTick;
        benchmark::DoNotOptimize(schedule.TakeTick(now) &&
                                 schedule.Due(agent::UtcNow(), agent::PowerSource::Mains));
    }
}

// Every hundredth file written again, a little longer, with a newer time.
std::vector<fs::path> ChangeThousandFiles(int round)
{
    std::vector<fs::path> changed;
    int n = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Tree().Root()))
    {
        if (entry.is_regular_file() && n++ % 100 == 0)
        {
            std::ofstream(entry.path(), std::ios::app) << round;
            fs::last_write_time(entry.path(), fs::file_time_type::clock::now());
            changed.push_back(entry.path());
        }
    }
    return changed;
}

void ThousandChangedFiles(benchmark::State& state)
{
    const SessionEndSetup& setup = Setup();
    const fs::path plain = fs::temp_directory_path() / "corvane-bench-plain-copies";
    const fs::path floor = fs::temp_directory_path() / "corvane-bench-floor";
    std::vector<FloorCopy> floorCopies;
    std::vector<double> copyings;
    std::vector<double> ratios;
    std::vector<double> beyonds;
    std::vector<double> floors;
    std::vector<double> floorRatios;
    int round = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        const std::vector<fs::path> changed = ChangeThousandFiles(++round);
        state.ResumeTiming();
        BenchClock::time_point start = BenchClock::now();
        setup.Run();
        const double changedRun = SecondsSince(start);
        state.SetIterationTime(changedRun);
        start = BenchClock::now();
        setup.Run();
        const double beyond = changedRun - SecondsSince(start);
        beyonds.push_back(beyond);

        fs::remove_all(plain);
        fs::create_directories(plain);
        start = BenchClock::now();
        int n = 0;
        for (const fs::path& file : changed)
            fs::copy_file(file, plain / std::to_string(n++));
        copyings.push_back(SecondsSince(start));
        ratios.push_back(beyond / copyings.back());

        // The same files, their copies in a tree of their own made once.
        for (size_t i = floorCopies.size(); i < changed.size(); ++i)
        {
            const fs::path below = changed[i].lexically_relative(Tree().Root());
            floorCopies.push_back({changed[i], floor / below,
                                   floor / "Corvane Backup versions" / below.parent_path(), floor});
            fs::create_directories(floorCopies.back().copy.parent_path());
            fs::copy_file(changed[i], floorCopies.back().copy);
        }
        start = BenchClock::now();
        for (const FloorCopy& copy : floorCopies)
            KeepingCopyFloor(copy, round);
        floors.push_back(SecondsSince(start));
        floorRatios.push_back(beyond / floors.back());
    }
    fs::remove_all(plain);
    fs::remove_all(floor);
    state.counters["plain_copy_ms"] = Median(copyings) * 1e3;
    state.counters["x_plain_copy"] = Median(ratios);
    state.counters["beyond_ms"] = Median(beyonds) * 1e3;
    state.counters["floor_ms"] = Median(floors) * 1e3;
    state.counters["x_floor"] = Median(floorRatios);
}

} // namespace

BENCHMARK(UnchangedTree)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CatchUpUnchangedTree)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(CatchUpTick)->Unit(benchmark::kNanosecond);
BENCHMARK(ThousandChangedFiles)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
