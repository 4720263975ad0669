#include "load/whole_tree_backup.h"

#include "agent/destination_look.h"
#include "agent/folder_out_of_reach.h"
#include "agent/session_end_backup.h"
#include "companions/backup_folder.h"
#include "companions/saved_selection.h"
#include "load/look_watchdog.h"
#include "platform/computer.h"
#include "platform/drive_roots.h"
#include "platform/file_tree.h"

#include <chrono>
#include <optional>

bool BackUpWholeTree(const InstallDirectory& directory, const std::string& localAppData,
                     bool refused, const WholeTreeRun& run)
{
    LookWatchdog watchdog;
    const agent::LookContext context{platform::ThisComputer(), platform::LocalDriveRoots(),
                                     localAppData};
    platform::FileTree& files = platform::LocalFiles();
    const std::string destination =
        agent::DestinationAtSessionEnd(directory, files, run.started, localAppData);
    if (destination.empty())
        return false;
    agent::DestinationLook look{agent::DestinationState::Denied, {}};
    if (!refused && !watchdog.Within(std::chrono::milliseconds(agent::kLookLimit), [&] {
            look = agent::LookAtDestination(destination, context, files);
        }))
        look = {};
    const bool there = look.state == agent::DestinationState::There;
    agent::FolderOutOfReach outOfReach(files, destination);
    platform::FileTree& used = there ? files : outOfReach;
    std::optional<companions::SavedPlan> saved = companions::ReadSavedPlan(directory, used).saved;
    if (!saved)
        return false;
    if (there && look.place != destination)
        saved = companions::MovedTo(saved->selection, look.place, directory, files);
    agent::SessionEndRun backup{
        used,        agent::SteadyNow,     run.deadline,
        run.started, context.localAppData, look.state == agent::DestinationState::Denied};
    backup.startedUtc = run.startedUtc;
    backup.goOn = run.goOn;
    backup.reportSuffix = run.reportSuffix;
    return agent::IsComplete(agent::BackUpAtSessionEnd(*saved, backup), backup.destinationRefused);
}
