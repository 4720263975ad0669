// What a backup of the generated 100,000-file tree holds, read whole, against
// a bare recursive listing of it ("x_listing", the aim is at most 1.5); and a
// restore of 1,000 files against a plain copy of the same files through the
// same file port ("x_plain_copy", the aim is at most 1.2).
#include "bench/bench_compare.h"
#include "bench/generated_tree.h"
#include "restore/backup_contents.h"
#include "restore/restore_plan.h"

#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;

// The one-source backup whose destination is `destination`.
restore::BackupContents ContentsOf(const std::string& destination)
{
    BackupSelection selection;
    selection.sources = {(fs::temp_directory_path() / "corvane-bench-source").string()};
    selection.destination = destination;
    selection.SetTicked(OptionFlag::AllFileTypes, true);
    companions::SavedPlan saved;
    saved.selection = selection;
    saved.plan = PlanBackup(selection, platform::LocalFiles());
    return *restore::BackupContents::Read(std::move(saved), platform::LocalFiles());
}

void WholeBackup(benchmark::State& state)
{
    const std::string root = Tree().Root();
    Compare(
        state, "x_listing",
        [&] {
            const restore::BackupContents contents = ContentsOf(root);
            std::size_t files = 0;
            for (const restore::Holding& holding : contents.Holdings())
                contents.Walk(holding, holding.copyPath, [&files](const restore::BackupItem&) {
                    ++files;
                    return true;
                });
            benchmark::DoNotOptimize(files);
        },
        [&] { ListBare(root); });
}

void ThousandFilesRestored(benchmark::State& state)
{
    const fs::path root = fs::temp_directory_path() / "corvane-bench-restore";
    const fs::path backup = root / "backup", restored = root / "restored", plain = root / "plain";
    fs::remove_all(root);
    for (int folder = 0; folder < 10; ++folder)
    {
        fs::create_directories(backup / std::to_string(folder));
        for (int file = 0; file < 100; ++file)
            std::ofstream(backup / std::to_string(folder) /
                          ("file " + std::to_string(file) + ".doc"))
                << std::string(4096, 'x');
    }
    const restore::BackupContents contents = ContentsOf(backup.string());
    platform::FileTree& files = platform::LocalFiles();
    std::vector<std::pair<std::string, std::string>> copies;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(backup))
        if (entry.is_regular_file())
            copies.emplace_back(entry.path().string(),
                                (plain / entry.path().lexically_relative(backup)).string());
    Compare(
        state, "x_plain_copy",
        [&] {
            fs::remove_all(restored);
            const restore::RestoreList list =
                ListRestore(contents, {{restore::RestoreItem{0, {}, {}}}, restored.string()});
            benchmark::DoNotOptimize(RunRestore(contents, list, std::tm{}, {}, files));
        },
        [&] {
            fs::remove_all(plain);
            for (const auto& [from, to] : copies)
            {
                fs::create_directories(fs::path(to).parent_path());
                benchmark::DoNotOptimize(files.Copy(from, to));
            }
        });
    fs::remove_all(root);
}

} // namespace

BENCHMARK(WholeBackup)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(ThousandFilesRestored)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
