#pragma once

#include "agent/agent_clock.h"
#include "model/install_directory.h"

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

// One run of the log-off backup over the whole saved selection, as the end of
// the session and the daily catch-up make it.
struct WholeTreeRun
{
    // When to stop copying.
    agent::Millis deadline;
    std::tm started;
    agent::UtcSeconds startedUtc;
    // Asked before each file; false stops the run (see agent::SessionEndRun).
    std::function<bool()> goOn = {};
    std::string_view reportSuffix = {};
};

// Looks at the destination first (10 seconds at most), then reads the saved
// plan without asking a destination that did not answer, refused the user or
// is not this computer's backup (its report then stays in the profile), or
// where the disk moved to, and backs the plan up. A share that refused the
// user already (`refused`) is not asked again. True when the backup was
// complete.
bool BackUpWholeTree(const InstallDirectory& directory, const std::string& localAppData,
                     bool refused, const WholeTreeRun& run);
