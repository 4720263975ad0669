#include "flows/option_files.h"

#include "flows/companion_starts.h"
#include "store/store_file.h"

namespace flows
{

void UpdateEnableAutoMarker(const InstallDirectory& directory, bool ticked)
{
    const std::string path = directory.PathOf(kEnableAutoMarker);
    if (ticked)
        store::ReadOrCreateEmpty(path);
    else
        store::Delete(path);
}

bool IsCataloged(const InstallDirectory& directory)
{
    return store::TestRead(directory.PathOf(kCatalogedMarker));
}

std::optional<Message> StartCatalogFlow(const InstallDirectory& directory, Shell& shell)
{
    const auto notStarted = [](const std::string& reason) {
        return Message{reason + " \nDetails:The catalog was not started", "ERROR", kStopType};
    };
    const std::string marker = directory.PathOf(kCatalogMarker);
    if (!store::ReplaceWhole(marker, ""))
        return notStarted("Error Cannot Write " + marker);
    const auto started = StartCompanions(directory, shell, kCatalogFlow);
    for (size_t i = 0; i < started.size(); ++i)
    {
        if (!started[i])
        {
            store::Delete(marker);
            return notStarted("Error Cannot Start " + directory.PathOf(kCatalogFlow[i].fileName));
        }
    }
    return std::nullopt;
}

} // namespace flows
