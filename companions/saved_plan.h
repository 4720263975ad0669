#pragma once

#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "plan/copy_plan.h"
#include "platform/file_tree.h"

#include <optional>
#include <string>
#include <vector>

namespace companions
{

// The saved selection as the companions work from it.
struct SavedPlan
{
    BackupSelection selection;
    CopyPlan plan;
    // Sources whose name a batch file could not carry, in list order (every
    // source when the destination is such a name): the plan keeps no step of
    // theirs, as backup.bat would refuse them.
    std::vector<std::string> refused;
    // Nothing below these is ever copied: the destination, where the copies
    // themselves change, and the install directory, where the store does.
    std::vector<std::string> neverCopiedFrom;
};

// The plan of what the window saved, or nothing before the first save or
// without a destination, which "Backup Now" refuses too. Reads the store
// without creating any file: the log-on instance may not write in the
// install directory.
std::optional<SavedPlan> ReadSavedPlan(const InstallDirectory& directory,
                                       platform::FileTree& files);

// What the markers ask of the resident agent.
struct AgentDuties
{
    // enableauto: back up the saved selection when the session ends.
    bool backUpAtSessionEnd = false;
    // mod.bat and cataloged: copy each file of the selection once it is saved.
    bool copyOnSave = false;
};

AgentDuties ReadAgentDuties(const InstallDirectory& directory);

} // namespace companions
