#pragma once

#include "plan/copy_plan.h"
#include "platform/file_tree.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace companions
{

// One file a backup should leave a copy of, or a source that is not there.
struct ExpectedFile
{
    // The source as the user wrote it, then the path below it; the system
    // folder as the interpreter expands it.
    std::string sourcePath;
    // Where the plan puts the copy; empty for a source that is not there.
    std::string copyPath;
    std::uint64_t size = 0;
    platform::FileTime lastWrite{};
    bool sourceFound = true;
    // The source's place in the plan: reports list files source by source.
    std::size_t source = 0;
    // Set by Windows at each write: xcopy /M copies the file only then.
    bool archive = false;
};

// Asked before each file; false ends the listing there.
using KeepGoing = std::function<bool()>;

// Every file that some step of the plan copies, once each, source by source
// in list order; the backup's own versions and copies not yet whole are
// none. A source that is not there at all is one entry of its own,
// so that a missing drive is never an empty, successful backup. The files
// are the plan's whatever their archive bit: whether a file is in the
// destination does not depend on it.
std::vector<ExpectedFile> ListExpectedFiles(const CopyPlan& plan, platform::FileTree& files,
                                            const KeepGoing& keepGoing = {});

} // namespace companions
