#include "flows/saved_plan.h"

#include "plan/batch_text.h"
#include "store/store_file.h"
#include "store/store_formats.h"

#include <algorithm>

namespace flows
{

std::optional<SavedPlan> ReadSavedPlan(const InstallDirectory& directory, const IsFileQuery& isFile)
{
    const std::string settingsPath = directory.PathOf(kSettingsFile);
    if (!store::TestRead(settingsPath))
        return std::nullopt;
    BackupSelection selection;
    selection.sources =
        store::ParseSourceList(store::ReadIfPresent(directory.PathOf(kFilesToBackupFile)));
    selection.destination =
        store::ParseDestination(store::ReadIfPresent(directory.PathOf(kDataFile)));
    selection.flags = store::ParseSettings(store::ReadIfPresent(settingsPath));
    if (selection.destination.empty())
        return std::nullopt;

    SavedPlan saved{
        selection, PlanBackup(selection, isFile), {}, {selection.destination, directory.Root()}};
    const bool destinationCarried = CanCarryInBatch(selection.destination);
    std::vector<const PlannedSource*> refused;
    for (const PlannedSource& source : saved.plan.sources)
    {
        if (!source.isSystemFolder && (!destinationCarried || !CanCarryInBatch(source.path)))
        {
            saved.refused.push_back(source.path);
            refused.push_back(&source);
        }
    }
    if (!destinationCarried)
        saved.plan.steps.clear();
    // Refused sources keep their folders in the destination, so that every
    // other source copies to the place a carried selection would give it.
    auto& steps = saved.plan.steps;
    steps.erase(std::remove_if(steps.begin(), steps.end(),
                               [&refused](const CopyStep& step) {
                                   return std::count(refused.begin(), refused.end(), step.source);
                               }),
                steps.end());
    return saved;
}

bool DestinationIsThere(const SavedPlan& saved, platform::FilePort& files)
{
    const std::optional<platform::FileFacts> facts = files.Facts(saved.selection.destination);
    return facts && facts->isFolder;
}

AgentDuties ReadAgentDuties(const InstallDirectory& directory)
{
    const auto present = [&directory](const char* name) {
        return store::TestRead(directory.PathOf(name));
    };
    return AgentDuties{present(kEnableAutoMarker),
                       present(kModBatchFile) && present(kCatalogedMarker)};
}

} // namespace flows
