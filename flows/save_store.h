#pragma once

#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "model/prompt.h"
#include "platform/file_tree.h"

namespace flows
{

enum class SaveOutcome
{
    // Written, or as much as could be and the user told what was not: the
    // program may end.
    Saved,
    // A source entry failed its checks; its message was shown, nothing was
    // written, and the window stays open.
    Rejected,
};

// Saves the whole selection into the store: settings.dat, the enableauto
// marker, mod.bat (or its removal with the cataloged marker), data.dat and
// filestobackup.bck, each replaced whole.
SaveOutcome SaveStore(const BackupSelection& selection, const InstallDirectory& directory,
                      Prompt& prompt, platform::FileTree& files);

} // namespace flows
