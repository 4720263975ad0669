#include "flows/load_store.h"

#include "store/store_file.h"
#include "store/store_formats.h"

#include <utility>

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

std::optional<LoadedStore> LoadStore(const InstallDirectory& directory, platform::FileTree& files)
{
    using platform::ReadResult;
    const std::string listPath = directory.PathOf(kFilesToBackupFile);
    const std::string destinationPath = directory.PathOf(kDataFile);
    // Read as lines into one buffer: a list of many thousand sources makes
    // no string of each.
    store::FileLines list = store::ReadLines(listPath, files);
    const store::FileText destination = store::Read(destinationPath, files);
    const store::FileText settings = store::Read(directory.PathOf(kSettingsFile), files);
    for (const ReadResult result : {list.result, destination.result, settings.result})
    {
        if (result == ReadResult::Unreadable)
            return std::nullopt;
    }
    // Made only once every file has been read.
    const auto create = [&files](ReadResult result, const std::string& path) {
        return result != ReadResult::Missing || store::ReadOrCreateEmpty(path, files);
    };
    if (!create(list.result, listPath) || !create(destination.result, destinationPath))
        return std::nullopt;

    LoadedStore loaded;
    loaded.sources = std::move(list.lines);
    loaded.sourceBytes = std::move(list.bytes);
    loaded.destination = store::ParseDestination(destination.text);
    // Only a missing settings.dat means a first run; an empty one is a saved
    // selection with every box unticked.
    if (settings.result == ReadResult::Read)
        loaded.ticked = store::ParseSettings(settings.text);
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
