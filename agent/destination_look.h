#pragma once

#include "agent/agent_clock.h"
#include "companions/backup_folder.h"
#include "platform/computer.h"
#include "platform/file_tree.h"

#include <string>

// One look of the agent at its destination: whether it is there and is this
// computer's backup, where it is when it moved, or why it gets nothing. A
// look may wait on a disk or a share: the agent makes it on a worker, never
// on its window's thread.
namespace agent
{

// A look that has not answered by then (a share that dozes, a dead network)
// counts as "away", and is ended.
inline constexpr Millis kLookLimit = 10 * 1000;

enum class DestinationState
{
    // There and holding this computer's id, at its place or where it moved.
    There,
    // Not there, nor found on another disk (or it did not answer in time).
    Away,
    // A folder at its place that is not this computer's backup: another
    // disk that took the letter, with a folder of that name.
    NotOurs,
    // A share that refused the user.
    Denied,
};

struct DestinationLook
{
    DestinationState state = DestinationState::Away;
    // Where the backup is when it is there: the saved folder, or the same
    // folder on the disk it moved to.
    std::string place;
};

struct LookContext
{
    platform::Computer computer;
    // The roots of the disks where a missing destination may have gone.
    std::vector<std::string> roots;
    // The user's %LOCALAPPDATA%: the destination text last seen is kept there.
    std::string localAppData;
};

// Looks once. A destination text the agent has not seen before (the user
// chose it), or a folder that holds reports but no id (a backup of an
// earlier version), is marked as this computer's; a folder without this
// computer's id is not. A missing destination on a drive letter is looked
// for on the other disks. Nothing is ever made: no destination folder, and
// no id where the destination is not there.
DestinationLook LookAtDestination(const std::string& destination, const LookContext& context,
                                  platform::FileTree& files);

// What the user is told (once) when the agent finds its destination so.
std::string NotOurBackupText(const std::string& destination);
std::string BackupMovedText(const std::string& place);

} // namespace agent
