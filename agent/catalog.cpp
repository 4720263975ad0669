#include "agent/catalog.h"

#include "companions/saved_selection.h"
#include "model/backup_folders.h"
#include "platform/file_walk.h"
#include "store/store_file.h"

namespace agent
{

std::vector<std::string> CatalogList(const std::vector<std::string>& sources,
                                     platform::FileTree& files)
{
    std::vector<std::string> list;
    for (const std::string& source : sources)
    {
        platform::WalkFiles(files, source, kVersionsFolder,
                            [&list](const std::string& path, const std::string&,
                                    const platform::FileFacts& facts, bool) {
                                if (facts.archive)
                                    list.push_back(path);
                                return true;
                            });
    }
    return list;
}

CatalogOutcome RunCatalog(const InstallDirectory& directory, platform::FileTree& files,
                          std::string& unreadable)
{
    if (!store::TestRead(directory.PathOf(kCatalogMarker), files))
        return CatalogOutcome::Withdrawn;
    const companions::SavedSelection saved = companions::ReadSavedSelection(directory, files);
    if (!saved.unreadable.empty())
    {
        unreadable = saved.unreadable;
        return CatalogOutcome::StoreUnreadable;
    }
    for (const std::string& file : CatalogList(saved.selection.sources, files))
        files.ClearArchive(file);
    if (!store::ReplaceWithText(directory.PathOf(kCatalogedMarker), "", files))
        return CatalogOutcome::MarkerNotWritten;
    store::Delete(directory.PathOf(kCatalogMarker), files);
    return CatalogOutcome::Done;
}

} // namespace agent
