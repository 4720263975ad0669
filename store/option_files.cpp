#include "store/option_files.h"

#include "companion/companion_starts.h"
#include "store/store_file.h"

namespace store
{

void UpdateEnableAutoMarker(const InstallDirectory& directory, bool ticked)
{
    const std::string path = directory.PathOf(kEnableAutoMarker);
    if (ticked)
        CreateRead(path);
    else
        Delete(path);
}

bool IsCataloged(const InstallDirectory& directory)
{
    return TestRead(directory.PathOf(kCatalogedMarker));
}

void StartCatalogFlow(const InstallDirectory& directory, Shell& shell)
{
    TruncateWrite(directory.PathOf(kCatalogMarker), "");
    companion::StartCompanions(directory, shell, companion::kCatalogFlow);
}

} // namespace store
