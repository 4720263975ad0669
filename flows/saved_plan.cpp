#include "flows/saved_plan.h"

#include "flows/saved_selection.h"
#include "plan/batch_text.h"
#include "store/store_file.h"

#include <algorithm>

namespace flows
{

std::optional<SavedPlan> ReadSavedPlan(const InstallDirectory& directory, const IsFileQuery& isFile)
{
    if (!store::TestRead(directory.PathOf(kSettingsFile)))
        return std::nullopt;
    BackupSelection selection = ReadSavedSelection(directory);
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

bool DestinationIsThere(const SavedPlan& saved, platform::FileTree& files)
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
