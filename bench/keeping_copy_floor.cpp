#include "bench/keeping_copy_floor.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace
{

void LookAtFoldersBelow(const fs::path& folder, const fs::path& destination)
{
    for (fs::path at = folder; at != destination && at.has_relative_path(); at = at.parent_path())
        benchmark::DoNotOptimize(fs::symlink_status(at));
}

} // namespace

void KeepingCopyFloor(const FloorCopy& copy, int round)
{
    LookAtFoldersBelow(copy.copy.parent_path(), copy.destination);
    LookAtFoldersBelow(copy.versionFolder, copy.destination);
    // The old copy's time names its version.
    benchmark::DoNotOptimize(fs::last_write_time(copy.copy));
    const std::string prefix = copy.copy.stem().string() + " (";
    std::vector<std::pair<fs::file_time_type, fs::path>> versions;
    std::error_code missing;
    for (fs::directory_iterator entry(copy.versionFolder, missing), end; entry != end; ++entry)
        if (entry->path().filename().string().rfind(prefix, 0) == 0)
            versions.emplace_back(entry->last_write_time(), entry->path());
    fs::create_directories(copy.versionFolder);
    const fs::path temporary = copy.copy.string() + ".corvane-part";
    fs::copy_file(copy.from, temporary, fs::copy_options::overwrite_existing);
    fs::last_write_time(temporary, fs::last_write_time(copy.from));
    fs::create_hard_link(copy.copy, copy.versionFolder / (prefix + std::to_string(round) + ")" +
                                                          copy.copy.extension().string()));
    fs::rename(temporary, copy.copy);
    if (versions.size() >= 10)
        fs::remove(std::min_element(versions.begin(), versions.end())->second);
}
