#pragma once

#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "model/prompt.h"
#include "platform/file_tree.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace flows
{

// What the dialog shows when it opens: the saved selection, or the first-run
// settings when nothing has been saved yet.
struct LoadedStore
{
    // Views into sourceBytes, each followed by a NUL byte: a control takes
    // them as they stand.
    std::vector<std::string_view> sources;
    std::shared_ptr<const char[]> sourceBytes;
    std::string destination;
    std::array<bool, kOptionFlagCount> ticked{};
    // The All File Types rule ran: the four type boxes and Hidden are disabled
    // but keep the ticks the store gave them.
    bool typeBoxesLocked = false;
};

// Reads filestobackup.bck and data.dat (creating them empty when missing) and
// settings.dat (only when it exists). Writes nothing else and reports
// nothing. Nothing when a store file is there but cannot be read: that is no
// first run, and nothing is created then.
std::optional<LoadedStore> LoadStore(const InstallDirectory& directory, platform::FileTree& files);

// Shown when loading failed: a store file could not be read, or the reading
// rules do not cover what happened (out of memory, say). The program then ends without saving: a
// half-filled window must never be saved over the store it could not show.
Message LoadFailure(const InstallDirectory& directory);

} // namespace flows
