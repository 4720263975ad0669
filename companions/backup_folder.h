#pragma once

#include "companions/saved_plan.h"
#include "model/install_directory.h"
#include "platform/computer.h"
#include "platform/file_tree.h"

#include <optional>
#include <string>
#include <vector>

// The backup's own folder. "<destination>\Corvane Backup reports\backup
// id.txt" holds the id and the name of each computer that backs up into it,
// one a line: the agent writes only into a folder that holds this
// computer's id, so that another disk that took the letter, with a folder
// of the same name, gets nothing. A backup disk that comes back at another
// letter is found by the same id.
namespace companions
{

inline constexpr const char* kBackupIdFile = "backup id.txt";

enum class FolderMark
{
    // It holds this computer's id.
    Ours,
    // It holds reports but no id: a backup of an earlier version.
    Unmarked,
    // It holds no reports at all: a new folder, or nobody's backup.
    Blank,
    // It holds the ids of other computers only, or an id file that cannot
    // be read.
    Others,
};

FolderMark MarkOf(const std::string& folder, const std::string& computerId,
                  platform::FileTree& files);

// Adds this computer to the folder's id file, keeping the others there. The
// folder itself is never made: a destination that is not there stays so.
// True when the file holds this computer afterwards.
bool MarkAsOurs(const std::string& folder, const platform::Computer& computer,
                platform::FileTree& files);

// Where a backup folder that is not at its place may be now: the roots of
// the disks of this computer (platform::LocalDriveRoots), and the id it
// must hold.
struct MovedBackupSearch
{
    std::vector<std::string> roots;
    std::string computerId;
};

// The disks of this computer and its id, as they are now.
MovedBackupSearch SearchOnThisComputer();

// For a destination on a drive letter that is missing: the same folder below
// another of the roots ("F:\Backup" for "E:\Backup"), the first that holds
// this computer's id. Nothing for a share, or where none does.
std::optional<std::string> FindMovedBackup(const std::string& destination,
                                           const MovedBackupSearch& search,
                                           platform::FileTree& files);

// The plan of the saved selection with its destination at `place`, where it moved: the
// sources are checked against it there (a source may hold the new place
// though it did not hold the old one).
SavedPlan MovedTo(const BackupSelection& selection, const std::string& place,
                  const InstallDirectory& directory, platform::FileTree& files,
                  SavedPlanUse use = SavedPlanUse::Copy);

// The saved plan with the destination where it is now: as it was when it is
// at its place or found nowhere else, else MovedTo where it was found.
SavedPlan FollowMovedBackup(SavedPlan saved, const InstallDirectory& directory,
                            const MovedBackupSearch& search, platform::FileTree& files,
                            SavedPlanUse use = SavedPlanUse::Copy);

// What every companion says of a destination that is not there: that it
// cannot be found, or that it refused the user.
std::string DestinationNotThereText(const std::string& destination, platform::FileTree& files);

} // namespace companions
