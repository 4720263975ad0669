#pragma once

#include "companions/file_reason.h"
#include "companions/run_progress.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace companions
{

// Where the monitor stands in a run.
enum class MonitorPhase
{
    // Waiting for the dialog to end, then working out the files to expect.
    GettingReady,
    Copying,
    // The batch has ended and the verdict is given.
    Done,
};

// A copy that arrives less often than this is shown as stalled.
inline constexpr std::chrono::seconds kStallTime{60};

// The texts of the monitor's window.
struct MonitorView
{
    std::string headline;
    std::string files;
    std::string bytes;
    std::string folder;
    std::string time;
    int percent = 0;
    // Each file not backed up, in the verdict's order.
    std::vector<FileReason> notBackedUp;
};

struct MonitorState
{
    MonitorPhase phase = MonitorPhase::GettingReady;
    Progress progress;
    std::optional<Verdict> verdict;
    // Why there is no verdict (the saved selection could not be read): said
    // in its place once the run has ended.
    std::string notJudged;
    std::chrono::seconds elapsed{0};
    // Since the last file arrived, or since copying began.
    std::chrono::seconds quiet{0};
};

MonitorView ViewOf(const MonitorState& state);

} // namespace companions
