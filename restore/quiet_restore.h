#pragma once

#include "model/install_directory.h"
#include "platform/file_tree.h"
#include "restore/restore_plan.h"

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// "Load.exe /restore /quiet PATH [/to FOLDER]": a restore without a window,
// for scripts, which learn the outcome from the exit status.
namespace restore
{

struct QuietRestoreArguments
{
    std::string path;
    // Empty: back to the original place.
    std::string toFolder;
};

// The arguments after "/restore /quiet": a path, then "/to" and a folder,
// each quoted where it holds spaces. Nothing when they are not that.
std::optional<QuietRestoreArguments> ParseQuietRestore(std::string_view arguments);

struct QuietRestoreOutcome
{
    // 0: every file restored; 1: some were not; 2: nothing could be tried.
    int status = 2;
    // One line for the standard error, without its line end.
    std::string line;
};

struct QuietRestoreContext
{
    platform::FileTree& files;
    std::tm start;
    std::string localAppData;
    // How the restore looks for a running backup and says that it waits;
    // nothing is asked.
    RestoreCallbacks callbacks;
};

// Restores what the backup holds of `arguments.path` (a saved source, or a
// file or folder below one, compared as the file system compares names),
// "Keep both" for every conflict, and writes the restore's report.
QuietRestoreOutcome RunQuietRestore(const InstallDirectory& directory,
                                    const QuietRestoreArguments& arguments,
                                    const QuietRestoreContext& context);

} // namespace restore
