#include "load/session_end_run.h"

#include "agent/folder_out_of_reach.h"
#include "agent/session_end_backup.h"
#include "companions/backup_folder.h"
#include "companions/saved_selection.h"
#include "load/look_watchdog.h"
#include "platform/computer.h"
#include "platform/drive_roots.h"
#include "platform/file_tree.h"

#include <chrono>

void RunSessionEndBackup(const InstallDirectory& directory, const std::string& localAppData,
                         agent::Clock clock, agent::Millis deadline, const std::tm& started)
{
    LookWatchdog watchdog;
    const agent::LookContext context{platform::ThisComputer(), platform::LocalDriveRoots(),
                                     localAppData};
    platform::FileTree& files = platform::LocalFiles();
    const std::string destination = companions::ReadSavedSelection(directory, files).destination;
    if (destination.empty())
        return;
    agent::DestinationLook look;
    if (!watchdog.Within(std::chrono::milliseconds(agent::kLookLimit),
                         [&] { look = agent::LookAtDestination(destination, context, files); }))
        look = {};
    const bool there = look.state == agent::DestinationState::There;
    agent::FolderOutOfReach outOfReach(files, destination);
    platform::FileTree& used = there ? files : outOfReach;
    std::optional<companions::SavedPlan> saved = companions::ReadSavedPlan(directory, used);
    if (!saved)
        return;
    if (there && look.place != destination)
        saved = companions::MovedTo(saved->selection, look.place, directory, files);
    agent::BackUpAtSessionEnd(*saved,
                              {used, std::move(clock), deadline, started, context.localAppData,
                               look.state == agent::DestinationState::Denied});
}
