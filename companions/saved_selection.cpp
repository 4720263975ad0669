#include "companions/saved_selection.h"

#include "platform/path_code.h"
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
    // The dialog writes its paths in ANSI; the companions hold theirs as
    // path text, which names every file.
    for (std::string& source : selection.sources)
        source = platform::PathFromAnsi(std::move(source));
    selection.destination = platform::PathFromAnsi(store::ParseDestination(read(kDataFile)));
    selection.flags = store::ParseSettings(read(kSettingsFile));
    return selection;
}

} // namespace companions
