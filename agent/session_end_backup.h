#pragma once

#include "agent/agent_clock.h"
#include "companions/saved_plan.h"
#include "companions/verdict.h"
#include "model/install_directory.h"
#include "platform/file_tree.h"

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

// The backup when the user logs off or shuts down, made by the agent itself:
// at the end of a session Windows ends the hidden batches and consoles a
// backup.bat would run in. It copies what backup.bat would copy, where
// backup.bat would put it: files whose copy is missing or older, and with
// "modified files only" only files whose archive bit is set, which it then
// clears. Its verdict is the monitor's: every file of the plan counts.
namespace agent
{

// The longest the end of a session is held back. A run copies only what
// changed since the last one, and copy on save keeps most files current, so
// it usually ends in seconds; the cap bounds a first run, a slow network
// destination or a huge selection to the minute after which the monitor too
// calls a backup stalled. What it did not reach is named in the report, shown
// at the next log-on, and copied by the next run, which goes on from there.
inline constexpr Millis kSessionEndCap = 60 * 1000;

struct SessionEndRun
{
    platform::FileTree& files;
    Clock clock;
    // When to stop copying: the run's start plus the cap.
    Millis deadline;
    std::tm started;
    // The user's %LOCALAPPDATA%, where the reports to show are kept.
    std::string localAppData;
    // The destination, a share, refused the user: what is not backed up is
    // said to be so for that reason.
    bool destinationRefused = false;
    // The run's start on the wall clock, kept as the last complete backup's
    // when the run copied or found current every file this user can read.
    UtcSeconds startedUtc = 0;
    // Asked before each file, and may wait: false stops the run. The daily
    // catch-up pauses and ends here; a run stopped so has a report that is
    // not shown, since the log-off backup that follows does the rest.
    std::function<bool()> goOn = {};
    // Ends the report's name: the catch-up's is "<date time> catch-up.txt".
    std::string_view reportSuffix = {};
};

// The saved destination the backup at the end of the session goes to; empty
// when there is none. A store that cannot be read is no empty selection:
// nothing is backed up, and a notice kept for the next log-on names the file.
std::string DestinationAtSessionEnd(const InstallDirectory& directory, platform::FileTree& files,
                                    const std::tm& started, const std::string& localAppData);

// Whether a run's verdict makes it a complete backup: every file copied or
// found current, save those this user may not read. A file in use by another
// program counts against it, and so does a destination that refused the user.
bool IsComplete(const companions::Verdict& verdict, bool destinationRefused);

// Backs up the saved plan and writes its report. Before copying, it leaves in
// the profile a report of what is not backed up yet, marked to be shown at
// the next log-on: should the user force the session to end, that report is
// what remains. The finished report replaces it, in the profile and the
// destination, and is shown only with bad news or when the destination could
// not take it.
companions::Verdict BackUpAtSessionEnd(const companions::SavedPlan& saved,
                                       const SessionEndRun& run);

} // namespace agent
