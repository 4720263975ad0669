#include "companions/backup_processes.h"

#include <gtest/gtest.h>

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
