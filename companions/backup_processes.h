#pragma once

#include "platform/process_entry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace companions
{

// The processes a monitor started by "Backup Now" waits on.
struct BackupProcesses
{
    // The command interpreter that runs backup.bat.
    std::optional<std::uint32_t> batch;
    // The dialog that started both; the store is final once it has ended.
    std::optional<std::uint32_t> dialog;
};

inline constexpr const char* kDialogProgram = "CorvaneBackup.exe";

// The dialog starts backup.bat, then the monitor: the batch is the last
// process of the interpreter (`interpreter`, the file name of COMSPEC) that
// the monitor's parent started before it. A parent that still runs and is not
// the dialog (a start by hand) has started no batch. A parent that has ended
// is gone from the snapshot, but its children keep its id.
BackupProcesses FindBackupProcesses(const std::vector<platform::ProcessEntry>& snapshot,
                                    std::uint32_t self, const std::string& interpreter);

} // namespace companions
