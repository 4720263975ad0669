#pragma once

#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "platform/file_tree.h"

#include <string>

namespace companions
{

// The store as the companions read it: as the window does, an unreadable file
// is never taken for a missing or empty one.
struct SavedSelection
{
    // Its paths as path text. Empty when a file could not be read.
    BackupSelection selection;
    // settings.dat is there: the window has saved a selection. Only its
    // absence means that none was saved yet.
    bool saved = false;
    // The first store file that is there but cannot be read (locked without
    // sharing, an I/O error, no rights); empty when each was read or is
    // missing.
    std::string unreadable;
};

// The selection as the window last saved it, read without creating a file,
// since the companions write nothing into the install directory. A missing
// source list or destination reads as empty.
SavedSelection ReadSavedSelection(const InstallDirectory& directory, platform::FileTree& files);

// "Cannot read the saved selection: <path>": what every companion says of a
// store it cannot read, rather than back up nothing and call it done.
std::string UnreadableStoreText(const std::string& path);

} // namespace companions
