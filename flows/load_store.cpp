#include "flows/load_store.h"

#include "store/store_file.h"
#include "store/store_formats.h"

namespace flows
{
namespace
{

void Tick(LoadedStore& loaded, OptionFlag flag)
{
    loaded.ticked[static_cast<int>(flag)] = true;
}

// Nothing has been saved yet: every file type, the system folder and both
// automation options. The markers they need appear with the first save.
void ApplyFirstRunSettings(LoadedStore& loaded)
{
    Tick(loaded, OptionFlag::AllFileTypes);
    Tick(loaded, OptionFlag::SystemState);
    Tick(loaded, OptionFlag::AutoBackupOnShutdown);
    Tick(loaded, OptionFlag::BackupOnModify);
}

} // namespace

LoadedStore LoadStore(const InstallDirectory& directory)
{
    LoadedStore loaded;
    loaded.sources =
        store::ParseSourceList(store::ReadOrCreateEmpty(directory.PathOf(kFilesToBackupFile)));
    loaded.destination =
        store::ParseDestination(store::ReadOrCreateEmpty(directory.PathOf(kDataFile)));

    // Only a missing settings.dat means a first run; an empty one is a saved
    // selection with every box unticked.
    const std::string settingsPath = directory.PathOf(kSettingsFile);
    if (store::TestRead(settingsPath))
        loaded.ticked = store::ParseSettings(store::ReadOrCreateEmpty(settingsPath));
    else
        ApplyFirstRunSettings(loaded);
    loaded.typeBoxesLocked = loaded.ticked[static_cast<int>(OptionFlag::AllFileTypes)];
    return loaded;
}

Message LoadFailure(const InstallDirectory& directory)
{
    return Message{"Error Cannot Load Settings From " + directory.Root() +
                       " \nDetails:Nothing was changed",
                   "ERROR", kStopType};
}

} // namespace flows
