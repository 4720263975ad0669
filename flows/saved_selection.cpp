#include "flows/saved_selection.h"

#include "store/store_file.h"
#include "store/store_formats.h"

namespace flows
{
namespace
{

std::string ReadIfThere(const std::string& path)
{
    return store::TestRead(path) ? store::CreateRead(path) : std::string();
}

} // namespace

BackupSelection ReadSavedSelection(const InstallDirectory& directory)
{
    BackupSelection selection;
    selection.sources = store::ParseSourceList(ReadIfThere(directory.PathOf(kFilesToBackupFile)));
    selection.destination = store::ParseDestination(ReadIfThere(directory.PathOf(kDataFile)));
    selection.flags = store::ParseSettings(ReadIfThere(directory.PathOf(kSettingsFile)));
    return selection;
}

} // namespace flows
