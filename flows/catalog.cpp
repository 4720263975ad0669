#include "flows/catalog.h"

#include "flows/file_walk.h"
#include "store/store_file.h"
#include "store/store_formats.h"

namespace flows
{

std::vector<std::string> CatalogList(const std::vector<std::string>& sources,
                                     platform::FilePort& files)
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

CatalogOutcome RunCatalog(const InstallDirectory& directory, platform::FilePort& files)
{
    const std::vector<std::string> sources =
        store::ParseSourceList(store::ReadIfPresent(directory.PathOf(kFilesToBackupFile)));
    for (const std::string& file : CatalogList(sources, files))
        files.ClearArchiveBit(file);
    if (!store::TruncateWrite(directory.PathOf(kCatalogedMarker), ""))
        return CatalogOutcome::MarkerNotWritten;
    store::Delete(directory.PathOf(kCatalogMarker));
    return CatalogOutcome::Done;
}

} // namespace flows
