#pragma once

#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "model/prompt.h"

#include <array>
#include <string>
#include <vector>

namespace flows
{

// What the dialog shows when it opens: the saved selection, or the first-run
// settings when nothing has been saved yet.
struct LoadedStore
{
    std::vector<std::string> sources;
    std::string destination;
    std::array<bool, kOptionFlagCount> ticked{};
    // The All File Types rule ran: the four type boxes and Hidden are disabled
    // but keep the ticks the store gave them.
    bool typeBoxesLocked = false;
};

// Reads filestobackup.bck and data.dat (creating them empty when missing) and
// settings.dat (only when it exists). Writes nothing else and reports nothing:
// the store always loads as something.
LoadedStore LoadStore(const InstallDirectory& directory);

// Shown when loading failed in a way the reading rules do not cover (out of
// memory, say). The program then ends without saving: a half-filled window
// must never be saved over the store it could not show.
Message LoadFailure(const InstallDirectory& directory);

} // namespace flows
