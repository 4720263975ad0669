#pragma once

#include "companions/saved_plan.h"
#include "model/install_directory.h"
#include "platform/file_tree.h"

#include <string>

namespace restore
{

// The plan a restore reads another backup folder with (a new PC's, one the
// user picks): the saved selection with that folder as its destination, its
// sources refused as the saved plan's are for a restore, so that a backup is
// read alike however the window came to it, whatever the folder's name.
// Without a saved selection, no sources.
companions::SavedPlan SavedPlanFor(const std::string& folder, const InstallDirectory& directory,
                                   platform::FileTree& files);

} // namespace restore
