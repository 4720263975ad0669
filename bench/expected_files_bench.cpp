// The files a backup of 100,000 files should copy, worked out from its plan,
// against a bare recursive listing of the same tree that reads each file's
// size and time: "x_listing" is how many times slower the real thing is.
#include "bench/bench_compare.h"
#include "companions/expected_files.h"
#include "platform/file_tree.h"

#include <filesystem>
#include <fstream>

namespace
{

namespace fs = std::filesystem;

// 100 folders of 10 subfolders of 100 files, the names of a user's files.
class GeneratedTree
{
  public:
    GeneratedTree()
    {
        static const char* const kNames[] = {"photo.jpg", "scan.PNG",   "song.mp3", "clip.avi",
                                             "notes.txt", "report.doc", "data.bin", "sheet.xls",
                                             "readme",    "draft.docx"};
        fs::remove_all(m_root);
        for (int folder = 0; folder < 100; ++folder)
        {
            for (int sub = 0; sub < 10; ++sub)
            {
                const fs::path at =
                    m_root / ("Folder " + std::to_string(folder)) / ("Sub " + std::to_string(sub));
                fs::create_directories(at);
                for (int file = 0; file < 100; ++file)
                    std::ofstream(at / (std::to_string(file) + " " + kNames[file % 10])) << file;
            }
        }
    }
    ~GeneratedTree() { fs::remove_all(m_root); }

    std::string Root() const { return m_root.string(); }

  private:
    fs::path m_root = fs::temp_directory_path() / "corvane-bench-tree";
};

const GeneratedTree& Tree()
{
    static const GeneratedTree tree;
    return tree;
}

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
    const CopyPlan plan = PlanBackup(selection, platform::IsFile);
    Compare(
        state, "x_listing", [&] { benchmark::DoNotOptimize(companions::ListExpectedFiles(plan)); },
        [] {
            std::uintmax_t bytes = 0;
            fs::file_time_type newest{};
            for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Tree().Root()))
            {
                if (!entry.is_regular_file())
                    continue;
                bytes += entry.file_size();
                newest = std::max(newest, entry.last_write_time());
            }
            benchmark::DoNotOptimize(bytes);
            benchmark::DoNotOptimize(newest);
        });
}

} // namespace

BENCHMARK(ExpectedFiles)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
