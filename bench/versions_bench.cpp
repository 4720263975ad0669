// Making versions: 1,000 copies replaced through CopyKeepingVersion, which
// writes each new copy and swaps it in while the old one becomes a version,
// against the same 1,000 copies replaced plainly. Keeping a version is a
// rename beside the copy: "version_ms" (the difference) stays a small part
// of "plain_copy_ms", and "x_plain_copy" near 1; a version made by copying
// the old copy would make it 2 or more.
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

    void Plainly() const
    {
        for (const auto& [from, to] : m_files)
            benchmark::DoNotOptimize(platform::LocalFiles().Copy(from, to));
    }

  private:
    std::string Destination() const { return (m_root / "destination").string(); }

    fs::path m_root = fs::temp_directory_path() / "corvane-bench-versions";
    std::vector<std::pair<std::string, std::string>> m_files;
};

void ThousandVersions(benchmark::State& state)
{
    const VersionsSetup setup;
    double keeping = 0;
    double plain = 0;
    for (auto _ : state)
    {
        BenchClock::time_point start = BenchClock::now();
        setup.KeepingVersions();
        const double seconds = SecondsSince(start);
        state.SetIterationTime(seconds);
        keeping += seconds;
        start = BenchClock::now();
        setup.Plainly();
        plain += SecondsSince(start);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["plain_copy_ms"] = plain / n * 1e3;
    state.counters["version_ms"] = (keeping - plain) / n * 1e3;
    state.counters["x_plain_copy"] = keeping / plain;
}

} // namespace

BENCHMARK(ThousandVersions)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
