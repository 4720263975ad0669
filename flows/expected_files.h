#pragma once

#include "plan/copy_plan.h"
#include "platform/file_tree.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace flows
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
};

// Every file that some step of the plan copies, once each, source by source
// in list order. A source that is not there at all is one entry of its own,
// so that a missing drive is never an empty, successful backup. Folders that
// are links are not walked into: a profile's junctions lead in circles.
std::vector<ExpectedFile> ListExpectedFiles(const CopyPlan& plan);

// The folder and the name joined by one separator.
std::string JoinPath(const std::string& folder, std::string_view name);

} // namespace flows
