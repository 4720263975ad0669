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
    // would refuse them, sources the dialog's checks refuse (one that is or
    // holds the destination under any name among them) and, for the agent's
    // own copies, sources that hold the install directory. The plan keeps no
    // step of theirs.
    std::vector<RefusedSource> refused;
    // Nothing below these is ever copied: the destination, where the copies
    // themselves change, and the install directory, where the store does.
    std::vector<std::string> neverCopiedFrom;
};

// The plan of what the window saved, or nothing before the first save or
// without a destination, which "Backup Now" refuses too. Reads the store
// without creating any file: the log-on instance may not write in the
// install directory.
// What the plan is read for: the monitor follows what backup.bat copies;
// the agent copies itself, and never from a folder that holds the install
// directory, where the store changes; a restore reads what a backup holds as
// the agent would have copied it, and writes no batch file, so the batch
// form of the folder it reads from refuses nothing.
enum class SavedPlanUse
{
    Follow,
    Copy,
    Restore,
};

struct SavedPlanRead
{
    // Nothing before the first save, without a destination, or when the
    // store cannot be read.
    std::optional<SavedPlan> saved;
    // The store file that is there but cannot be read: it is reported, and
    // nothing is backed up or followed until it reads again.
    std::string unreadable;
};

SavedPlanRead ReadSavedPlan(const InstallDirectory& directory, platform::FileTree& files,
                            SavedPlanUse use = SavedPlanUse::Copy);

// The plan of a selection with a destination as ReadSavedPlan gives it: the
// sources the companions may not copy refused, and a source missing from the
// disk taken for a file where the backup holds it as one.
SavedPlan PlanOfSelection(BackupSelection selection, const InstallDirectory& directory,
                          platform::FileTree& files, SavedPlanUse use = SavedPlanUse::Copy);

// What the markers ask of the resident agent.
struct AgentDuties
{
    // enableauto: back up the saved selection when the session ends.
    bool backUpAtSessionEnd = false;
    // mod.bat and cataloged: copy each file of the selection once it is saved.
    bool copyOnSave = false;
};

AgentDuties ReadAgentDuties(const InstallDirectory& directory, platform::FileTree& files);

// "Your backup folder E:\Backup cannot be found.": every companion says so alike.
std::string DestinationMissingText(const std::string& destination);

} // namespace companions
