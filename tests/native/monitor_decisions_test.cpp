// The decisions of the monitor, Load.exe, that need no window.
#include "companions/backup_processes.h"
#include "companions/load_role.h"
#include "companions/monitor_view.h"

#include <gtest/gtest.h>
#include <tuple>

namespace
{

using Processes = std::vector<platform::ProcessEntry>;

std::string Found(const Processes& snapshot)
{
    const companions::BackupProcesses found =
        companions::FindBackupProcesses(snapshot, 10, "cmd.exe");
    return "batch " + (found.batch ? std::to_string(*found.batch) : "-") + ", dialog " +
           (found.dialog ? std::to_string(*found.dialog) : "-");
}

} // namespace

// The monitor (id 10) waits on the interpreter its parent started last
// before it, and on the parent while that is the dialog.
TEST(BackupProcesses, TheBatchIsTheParentsLastInterpreterBeforeTheMonitor)
{
    const platform::ProcessEntry monitor{10, 5, "Load.exe", 100};
    const platform::ProcessEntry dialog{5, 1, "CORVANEBACKUP.EXE", 10};
    const platform::ProcessEntry batch{7, 5, "CMD.EXE", 90};
    const std::pair<Processes, std::string> cases[] = {
        {{monitor, dialog, batch}, "batch 7, dialog 5"},
        // The dialog has ended; its children keep its id.
        {{monitor, batch}, "batch 7, dialog -"},
        {{monitor, dialog, batch, {8, 5, "cmd.exe", 80}, {9, 5, "cmd.exe", 110}},
         "batch 7, dialog 5"},
        {{monitor, dialog, {7, 5, "notepad.exe", 90}, {8, 4, "cmd.exe", 95}}, "batch -, dialog 5"},
        // Started by hand from a console: the console is no batch of ours.
        {{monitor, {5, 1, "explorer.exe", 10}, batch}, "batch -, dialog -"},
        {{dialog, batch}, "batch -, dialog -"},
    };
    for (const auto& [snapshot, found] : cases)
        EXPECT_EQ(found, Found(snapshot)) << snapshot.size();
}

// While the batch runs: counts, sizes and the clock; a minute without a new
// copy is a stall.
TEST(MonitorView, ShowsTheProgressOfTheRunningBatch)
{
    companions::MonitorState state;
    state.elapsed = std::chrono::seconds(3725);
    EXPECT_EQ("Finding the files to back up...", companions::ViewOf(state).headline);
    EXPECT_EQ("Time taken: 1:02:05", companions::ViewOf(state).time);

    state.phase = companions::MonitorPhase::Copying;
    state.progress = {40, 10, 3 * 1024 * 1024 + 1, 1536, "C:\\Data\\Trip"};
    state.elapsed = std::chrono::seconds(65);
    state.quiet = std::chrono::seconds(59);
    const companions::MonitorView view = companions::ViewOf(state);
    EXPECT_EQ("Backing up your files...", view.headline);
    EXPECT_EQ("Files: 10 of 40", view.files);
    EXPECT_EQ("Size: 1.5 KB of 3.0 MB", view.bytes);
    EXPECT_EQ("Folder: C:\\Data\\Trip", view.folder);
    EXPECT_EQ("Time taken: 1:05", view.time);
    EXPECT_EQ(0, view.percent);
    state.progress.bytesExpected = 0;
    state.progress.currentFolder.clear();
    EXPECT_EQ(25, companions::ViewOf(state).percent);
    EXPECT_EQ("", companions::ViewOf(state).folder);
    state.quiet = companions::kStallTime;
    EXPECT_EQ("Stalled: no file has arrived for a minute.", companions::ViewOf(state).headline);
}

// Each start of Load.exe finds its one job from how it was started.
TEST(LoadRole, ChosenFromTheArgumentsTheShowStateAndTheCatalogRequest)
{
    using companions::LoadRole;
    // The arguments, whether it was started shown, whether a catalog is asked.
    const std::tuple<const char*, bool, bool, LoadRole> cases[] = {
        {"", true, false, LoadRole::Monitor},
        {"", true, true, LoadRole::Monitor},
        {"", false, true, LoadRole::Catalog},
        {"", false, false, LoadRole::Resident},
        {" /logon ", true, true, LoadRole::Resident},
        {"/logon /relayed", false, true, LoadRole::Resident},
        {"/stop", true, false, LoadRole::Stop},
        {"/other", false, false, LoadRole::Resident},
    };
    for (const auto& [arguments, shown, catalog, role] : cases)
        EXPECT_EQ(role, companions::ChooseLoadRole(arguments, shown, catalog)) << arguments;
}
