// The files a backup of 100,000 files should copy, worked out from its plan,
// against a bare recursive listing of the same tree that reads each file's
// size and time: "x_listing" is how many times slower the real thing is.
#include "bench/bench_compare.h"
#include "bench/generated_tree.h"
#include "companions/expected_files.h"
#include "platform/file_tree.h"

#include <filesystem>

namespace
{

namespace fs = std::filesystem;

// Argument 0: All File Types, one line; 1: the four type options, 37 lines.
void ExpectedFiles(benchmark::State& state)
{
    BackupSelection selection;
    selection.sources = {Tree().Root()};
    selection.destination = (fs::temp_directory_path() / "corvane-bench-copies").string();
    if (state.range(0) == 0)
        selection.SetTicked(OptionFlag::AllFileTypes, true);
    for (OptionFlag type :
         {OptionFlag::Pictures, OptionFlag::AudioMusic, OptionFlag::Video, OptionFlag::Documents})
        selection.SetTicked(type, state.range(0) == 1);
    platform::FileTree& disk = platform::LocalFiles();
    const CopyPlan plan = PlanBackup(selection, disk);
    Compare(
        state, "x_listing",
        [&] { benchmark::DoNotOptimize(companions::ListExpectedFiles(plan, disk)); },
        [] { ListBare(Tree().Root()); });
}

} // namespace

BENCHMARK(ExpectedFiles)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
