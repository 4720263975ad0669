#pragma once

#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "platform/file_tree.h"

namespace companions
{

// The selection as the dialog last saved it, for the companions: read without
// creating a file, since they write nothing into the install directory, its
// paths as path text. A missing file reads as empty.
BackupSelection ReadSavedSelection(const InstallDirectory& directory, platform::FileTree& files);

} // namespace companions
