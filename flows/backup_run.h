#pragma once

#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "model/prompt.h"
#include "model/shell.h"
#include "platform/file_tree.h"

#include <functional>

namespace flows
{

enum class RunOutcome
{
    // backup.bat runs; the dialog saves the selection and ends.
    Started,
    // A message told the user why not; the window stays open.
    Stopped,
};

// Whether the batch of an earlier run still runs.
using BackupRunningQuery = std::function<bool()>;

// "Backup Now": checks the selection, writes data.dat, backup.bat,
// filestobackup.bck (with a "System State" line for the monitor) and the
// video marker, then starts backup.bat hidden and the monitor Load.exe.
RunOutcome RunBackup(const BackupSelection& selection, const InstallDirectory& directory,
                     Prompt& prompt, Shell& shell, const BackupRunningQuery& isBackupRunning,
                     platform::FileTree& files);

} // namespace flows
