#include "flows/option_files.h"

#include "flows/companion_starts.h"
#include "store/store_file.h"

namespace flows
{

void UpdateEnableAutoMarker(const InstallDirectory& directory, bool ticked)
{
    const std::string path = directory.PathOf(kEnableAutoMarker);
    if (ticked)
        store::CreateRead(path);
    else
        store::Delete(path);
}

bool IsCataloged(const InstallDirectory& directory)
{
    return store::TestRead(directory.PathOf(kCatalogedMarker));
}

void StartCatalogFlow(const InstallDirectory& directory, Shell& shell)
{
    store::TruncateWrite(directory.PathOf(kCatalogMarker), "");
    StartCompanions(directory, shell, kCatalogFlow);
}

} // namespace flows
