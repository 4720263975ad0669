#include "flows/option_files.h"

#include "flows/companion_starts.h"
#include "store/store_file.h"

namespace flows
{

void UpdateEnableAutoMarker(const InstallDirectory& directory, bool ticked,
                            platform::FileTree& files)
{
    const std::string path = directory.PathOf(kEnableAutoMarker);
    if (ticked)
        store::ReadOrCreateEmpty(path, files);
    else
        store::Delete(path, files);
}

bool IsCataloged(const InstallDirectory& directory, platform::FileTree& files)
{
    return store::TestRead(directory.PathOf(kCatalogedMarker), files);
}

std::optional<Message> StartCatalogFlow(const InstallDirectory& directory, Shell& shell,
                                        platform::FileTree& files)
{
    const auto notStarted = [](const std::string& reason) {
        return Message{reason + " \nDetails:The catalog was not started", "ERROR", kStopType};
    };
    const std::string marker = directory.PathOf(kCatalogMarker);
    if (!store::ReplaceWithText(marker, "", files))
        return notStarted("Error Cannot Write " + marker);
    const auto started = StartCompanions(directory, shell, kCatalogFlow);
    for (size_t i = 0; i < started.size(); ++i)
    {
        if (!started[i])
        {
            store::Delete(marker, files);
            return notStarted("Error Cannot Start " + directory.PathOf(kCatalogFlow[i].fileName));
        }
    }
    return std::nullopt;
}

} // namespace flows
