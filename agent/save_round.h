#pragma once

#include "agent/copy_on_save.h"
#include "agent/destination_look.h"
#include "agent/folder_watches.h"
#include "agent/waiting_saves.h"
#include "companions/saved_plan.h"
#include "platform/file_tree.h"

#include <string>
#include <utility>
#include <vector>

// One round of copy on save, made on the agent's worker right after a look
// at the destination: what was saved is copied where the destination is, or
// waits for it.
namespace agent
{

struct SaveRound
{
    // Saved files, and names that appeared in a source, which may be folders
    // moved in.
    std::vector<std::string> files;
    // Watched folders to walk for saves the watch may have missed.
    std::vector<WatchedFolder> walks;
};

struct SaveRoundOutcome
{
    // Each file tried, with what its copy came to.
    std::vector<std::pair<std::string, SavedFileCopy>> copies;
    // False when the destination was not there: the walks wait for it.
    bool walked = false;
};

// The files below a watched folder (only its names, where it has some)
// whose copy is missing or older: the saves a gap in the watching missed.
std::vector<std::string> FilesBehind(const companions::SavedPlan& saved,
                                     const WatchedFolder& watched, platform::FileTree& files);

// With the destination there (`saved` planned for the place it is at), the
// saved files, the folders among them and the walks' files are copied,
// and so are the saves that waited, from each file as it is now; a file the
// destination vanished for waits again. Otherwise the saved files join the
// waiting ones, and the walks are put off: nothing touches the destination.
SaveRoundOutcome RunSaveRound(const companions::SavedPlan& saved, DestinationState state,
                              const SaveRound& round, WaitingSaves& waiting,
                              platform::FileTree& files);

} // namespace agent
