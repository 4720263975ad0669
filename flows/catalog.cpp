#include "flows/catalog.h"

#include "flows/expected_files.h"
#include "flows/saved_selection.h"
#include "store/store_file.h"

namespace flows
{

std::vector<std::string> CatalogList(const std::vector<std::string>& sources,
                                     platform::FileTree& files)
{
    std::vector<std::string> list;
    for (const std::string& source : sources)
    {
        WalkFiles(files, source,
                  [&list](const std::string& path, const std::string&,
                          const platform::FileFacts& facts, bool) {
                      if (facts.archive)
                          list.push_back(path);
                      return true;
                  });
    }
    return list;
}

CatalogOutcome RunCatalog(const InstallDirectory& directory, platform::FileTree& files)
{
    for (const std::string& file : CatalogList(ReadSavedSelection(directory).sources, files))
        files.ClearArchive(file);
    if (!store::TruncateWrite(directory.PathOf(kCatalogedMarker), ""))
        return CatalogOutcome::MarkerNotWritten;
    store::Delete(directory.PathOf(kCatalogMarker));
    return CatalogOutcome::Done;
}

} // namespace flows
