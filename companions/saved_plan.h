#pragma once

#include "companions/verdict.h"
#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "plan/copy_plan.h"
#include "platform/file_tree.h"

#include <optional>
#include <string>
#include <vector>

namespace companions
{

struct RefusedSource
{
    std::string path;
    Shortfall reason = Shortfall::CannotCarry;
};

// The saved selection as the companions work from it.
struct SavedPlan
{
    BackupSelection selection;
    CopyPlan plan;
    // Sources left out, in list order: names a batch file could not carry
    // (every source when the destination is such a name), as backup.bat
    // would refuse them, and sources the dialog's checks refuse or that hold
    // the destination or the install directory under any name. The plan
    // keeps no step of theirs.
    std::vector<RefusedSource> refused;
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
