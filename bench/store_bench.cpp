// Load, save and run against the same bytes read or written in one call:
// the "x_one_call" counter is how many times slower the real thing is.
#include "bench/bench_compare.h"
#include "flows/backup_run.h"
#include "flows/load_store.h"
#include "flows/save_store.h"
#include "platform/file_tree.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

namespace
{

namespace fs = std::filesystem;

struct AnswerOk : Prompt
{
    using Prompt::Show;
    int Show(const std::string&, const std::string&, unsigned) override { return 1; }
};

struct StartEverything : Shell
{
    bool Start(const std::string&, int) override { return true; }
};

// A fresh install directory and an existing destination for one benchmark.
struct BenchFolder
{
    fs::path root = fs::temp_directory_path() / "corvane-bench";
    InstallDirectory install{(root / "install").string()};
    std::string destination = (root / "destination").string();

    BenchFolder()
    {
        fs::remove_all(root);
        fs::create_directories(install.Root());
        fs::create_directories(destination);
    }
    ~BenchFolder() { fs::remove_all(root); }

    // Bytes of every file in the install directory.
    std::uintmax_t StoredBytes() const
    {
        std::uintmax_t bytes = 0;
        for (const auto& entry : fs::directory_iterator(install.Root()))
            bytes += entry.file_size();
        return bytes;
    }
};

BackupSelection SelectionOf(int sources, const std::string& destination)
{
    BackupSelection selection;
    for (int i = 0; i < sources; ++i)
        selection.sources.push_back("C:\\Users\\someone\\Documents\\Folder " + std::to_string(i));
    selection.destination = destination;
    for (OptionFlag flag : {OptionFlag::AllFileTypes, OptionFlag::AutoBackupOnShutdown,
                            OptionFlag::BackupOnModify, OptionFlag::SystemState})
        selection.SetTicked(flag, true);
    return selection;
}

// Writes the bytes whole and durably, as every store file is written.
auto WriteOnce(const BenchFolder& folder, std::uintmax_t bytes)
{
    return [path = folder.install.PathOf("one-call"),
            text = std::string(static_cast<size_t>(bytes), 'x')] {
        if (!platform::LocalFiles().Replace(path, text))
            std::abort();
    };
}

// The load against the same bytes read in one call; with `walked`, against
// the list itself read in one call and searched for each line end, the least
// that any split into lines must do.
void LoadAgainst(benchmark::State& state, const std::string& ratio, bool walked)
{
    BenchFolder folder;
    AnswerOk prompt;
    flows::SaveStore(SelectionOf(static_cast<int>(state.range(0)), folder.destination),
                     folder.install, prompt, platform::LocalFiles());
    std::string path = folder.install.PathOf(kFilesToBackupFile);
    std::uintmax_t bytes = fs::file_size(path);
    if (!walked)
    {
        bytes = folder.StoredBytes();
        path = folder.install.PathOf("one-call");
        WriteOnce(folder, bytes)();
    }
    std::string buffer(static_cast<size_t>(bytes), '\0');
    Compare(
        state, ratio,
        [&] { benchmark::DoNotOptimize(flows::LoadStore(folder.install, platform::LocalFiles())); },
        [&] {
            std::FILE* file = std::fopen(path.c_str(), "rb");
            if (!file || std::fread(buffer.data(), 1, buffer.size(), file) != buffer.size())
                std::abort();
            std::fclose(file);
            for (size_t at = 0; walked && at < buffer.size(); ++at)
                at = std::min(buffer.find('\n', at), buffer.size());
        });
}

void Load(benchmark::State& state)
{
    LoadAgainst(state, "x_one_call", false);
}

void LoadAgainstAWalk(benchmark::State& state)
{
    LoadAgainst(state, "x_walk", true);
}

void Save(benchmark::State& state)
{
    BenchFolder folder;
    AnswerOk prompt;
    const BackupSelection selection =
        SelectionOf(static_cast<int>(state.range(0)), folder.destination);
    platform::FileTree& disk = platform::LocalFiles();
    flows::SaveStore(selection, folder.install, prompt, disk);
    Compare(
        state, "x_one_call", [&] { flows::SaveStore(selection, folder.install, prompt, disk); },
        WriteOnce(folder, folder.StoredBytes()));
}

void Run(benchmark::State& state)
{
    BenchFolder folder;
    AnswerOk prompt;
    StartEverything shell;
    const BackupSelection selection =
        SelectionOf(static_cast<int>(state.range(0)), folder.destination);
    platform::FileTree& disk = platform::LocalFiles();
    const auto run = [&] {
        flows::RunBackup(
            selection, folder.install, prompt, shell, [] { return false; }, disk);
    };
    run();
    Compare(state, "x_one_call", run, WriteOnce(folder, folder.StoredBytes()));
}

} // namespace

BENCHMARK(Load)->Arg(10)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(LoadAgainstAWalk)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Save)->Arg(10)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(Run)->Arg(10)->Arg(1000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
