// Making versions: 1,000 copies replaced through CopyKeepingVersion, which
// writes each new copy and swaps it in while the old one becomes a version,
// against 1,000 copies replaced the same way without keeping the old one.
// What the versions cost is the difference ("version_ms", all 1,000 moves
// together, beside "copy_ms", the 1,000 copies): a version made by a rename
// stays far below the copies, one made by copying would match them. The
// copies keeping versions are also set beside the same work done straight
// to the file system ("x_floor"), the least it can cost.
#include "bench/bench_compare.h"
#include "bench/keeping_copy_floor.h"
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
            for (const char* tree : {"source", "destination", "plain", "floor"})
                fs::create_directories(m_root / tree / folder);
            std::ofstream(m_root / "source" / folder / name, std::ios::binary) << bytes;
            m_files.push_back({(m_root / "source" / folder / name).string(),
                               (m_root / "destination" / folder / name).string()});
            platform::LocalFiles().Copy(m_files.back().first, m_files.back().second);
            platform::LocalFiles().Copy(m_files.back().first, PlainCopyOf(m_files.back().second));
            m_floor.push_back({m_root / "source" / folder / name, m_root / "floor" / folder / name,
                               m_root / "floor" / "Corvane Backup versions" / folder,
                               m_root / "floor"});
            fs::copy_file(m_floor.back().from, m_floor.back().copy);
        }
    }
    ~VersionsSetup() { fs::remove_all(m_root); }

    void KeepingVersions() const
    {
        for (const auto& [from, to] : m_files)
            benchmark::DoNotOptimize(
                companions::CopyKeepingVersion(from, Destination(), to, platform::LocalFiles()));
    }

    // Over copies of their own, with the same calls but for the version.
    void ReplacingPlainly() const
    {
        for (const auto& [from, to] : m_files)
            benchmark::DoNotOptimize(platform::LocalFiles().Copy(from, PlainCopyOf(to)));
    }

    void KeepingStraight(int round) const
    {
        for (const FloorCopy& copy : m_floor)
            KeepingCopyFloor(copy, round);
    }

  private:
    std::string Destination() const { return (m_root / "destination").string(); }
    std::string PlainCopyOf(const std::string& copy) const
    {
        return (m_root / "plain" / fs::path(copy).lexically_relative(Destination())).string();
    }

    fs::path m_root = fs::temp_directory_path() / "corvane-bench-versions";
    std::vector<std::pair<std::string, std::string>> m_files;
    std::vector<FloorCopy> m_floor;
};

void ThousandVersions(benchmark::State& state)
{
    const VersionsSetup setup;
    std::vector<double> plains;
    std::vector<double> versions;
    std::vector<double> keepings;
    std::vector<double> floors;
    std::vector<double> floorRatios;
    int round = 0;
    for (auto _ : state)
    {
        BenchClock::time_point start = BenchClock::now();
        setup.KeepingVersions();
        const double keeping = SecondsSince(start);
        state.SetIterationTime(keeping);
        start = BenchClock::now();
        setup.ReplacingPlainly();
        plains.push_back(SecondsSince(start));
        versions.push_back(keeping - plains.back());
        keepings.push_back(keeping);
        start = BenchClock::now();
        setup.KeepingStraight(++round);
        floors.push_back(SecondsSince(start));
        floorRatios.push_back(keeping / floors.back());
    }
    // Medians: the moves are small beside the copies, and one slowed copy
    // would otherwise outweigh them all.
    const double plain = Median(plains);
    const double version = Median(versions);
    state.counters["copy_ms"] = plain * 1e3;
    state.counters["version_ms"] = version * 1e3;
    state.counters["x_copies"] = version / plain;
    state.counters["keeping_ms"] = Median(keepings) * 1e3;
    state.counters["floor_ms"] = Median(floors) * 1e3;
    state.counters["x_floor"] = Median(floorRatios);
}

} // namespace

BENCHMARK(ThousandVersions)->Iterations(12)->UseManualTime()->Unit(benchmark::kMillisecond);
