#include "companions/saved_selection.h"

#include "store/store_file.h"
#include "store/store_formats.h"

namespace companions
{

BackupSelection ReadSavedSelection(const InstallDirectory& directory)
{
    BackupSelection selection;
    selection.sources =
        store::ParseSourceList(store::ReadIfPresent(directory.PathOf(kFilesToBackupFile)));
    selection.destination =
        store::ParseDestination(store::ReadIfPresent(directory.PathOf(kDataFile)));
    selection.flags = store::ParseSettings(store::ReadIfPresent(directory.PathOf(kSettingsFile)));
    return selection;
}

} // namespace companions
