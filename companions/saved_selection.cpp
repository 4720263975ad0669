#include "companions/saved_selection.h"

#include "store/store_file.h"
#include "store/store_formats.h"

namespace companions
{

BackupSelection ReadSavedSelection(const InstallDirectory& directory, platform::FileTree& files)
{
    const auto read = [&](const char* name) {
        return store::ReadIfPresent(directory.PathOf(name), files);
    };
    BackupSelection selection;
    selection.sources = store::ParseSourceList(read(kFilesToBackupFile));
    selection.destination = store::ParseDestination(read(kDataFile));
    selection.flags = store::ParseSettings(read(kSettingsFile));
    return selection;
}

} // namespace companions
