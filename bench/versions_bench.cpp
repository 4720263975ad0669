// Making versions: 1,000 copies replaced through CopyKeepingVersion, which
// writes each new copy and swaps it in while the old one becomes a version,
// against 1,000 plain copies of the same files into an empty folder. Keeping
// a version is a rename beside the copy: "x_plain_copy" stays near 1, where a
// version made by copying the old copy would make it 2 or more.
#include "bench/bench_compare.h"
#include "companions/versions.h"

#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;

// 1,000 files of 64 KB in 50 folders, and their copies in a destination.
class VersionsSetup
{
  public:
    VersionsSetup()
    {
        fs::remove_all(m_root);
        const std::string bytes(64 * 1024, 'v');
        for (int n = 0; n < 1000; ++n)
        {
            const fs::path folder = fs::path("folder " + std::to_string(n % 50));
            const fs::path name = "file " + std::to_string(n) + ".doc";
            fs::create_directories(m_root / "source" / folder);
            std::ofstream(m_root / "source" / folder / name, std::ios::binary) << bytes;
            m_files.push_back({(m_root / "source" / folder / name).string(),
                               (m_root / "destination" / folder / name).string()});
            platform::LocalFiles().Copy(m_files.back().first, m_files.back().second);
        }
    }
    ~VersionsSetup() { fs::remove_all(m_root); }

    void KeepingVersions() const
    {
        for (const auto& [from, to] : m_files)
            benchmark::DoNotOptimize(
                companions::CopyKeepingVersion(from, Destination(), to, platform::LocalFiles()));
    }

    // Into a folder emptied first, so that no copy replaces another.
    void Plainly(benchmark::State& state) const
    {
        state.PauseTiming();
        fs::remove_all(m_root / "plain");
        state.ResumeTiming();
        const BenchClock::time_point start = BenchClock::now();
        int n = 0;
        for (const auto& [from, to] : m_files)
            benchmark::DoNotOptimize(platform::LocalFiles().Copy(
                from, (m_root / "plain" / std::to_string(n++)).string()));
        m_plainSeconds += SecondsSince(start);
    }

    mutable double m_plainSeconds = 0;

  private:
    std::string Destination() const { return (m_root / "destination").string(); }

    fs::path m_root = fs::temp_directory_path() / "corvane-bench-versions";
    std::vector<std::pair<std::string, std::string>> m_files;
};

void ThousandVersions(benchmark::State& state)
{
    const VersionsSetup setup;
    double keeping = 0;
    for (auto _ : state)
    {
        const BenchClock::time_point start = BenchClock::now();
        setup.KeepingVersions();
        const double seconds = SecondsSince(start);
        state.SetIterationTime(seconds);
        keeping += seconds;
        setup.Plainly(state);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["plain_copy_ms"] = setup.m_plainSeconds / n * 1e3;
    state.counters["x_plain_copy"] = keeping / setup.m_plainSeconds;
}

} // namespace

BENCHMARK(ThousandVersions)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
