#include "companions/saved_plan.h"

#include "companions/saved_selection.h"
#include "plan/batch_text.h"
#include "plan/validate_source_entry.h"
#include "store/store_file.h"

#include <algorithm>

namespace companions
{

SavedPlanRead ReadSavedPlan(const InstallDirectory& directory, platform::FileTree& files,
                            SavedPlanUse use)
{
    SavedSelection read = ReadSavedSelection(directory, files);
    if (!read.saved || read.selection.destination.empty())
        return {std::nullopt, std::move(read.unreadable)};
    return {PlanOfSelection(std::move(read.selection), directory, files, use), {}};
}

SavedPlan PlanOfSelection(BackupSelection selection, const InstallDirectory& directory,
                          platform::FileTree& files, SavedPlanUse use)
{
    SavedPlan saved{
        selection, PlanBackup(selection, files), {}, {selection.destination, directory.Root()}};
    // What a source missing from the disk was is read from what the backup
    // holds: a file source deleted since its copy was made is restored, and
    // copied again once saved, as the file it was, never as a folder.
    for (PlannedSource& source : saved.plan.sources)
    {
        if (!source.found && files.IsFile(FileCopyPathOf(saved.plan, source)))
            TakeSourceAsFile(saved.plan, source);
    }
    const bool destinationCarried =
        use == SavedPlanUse::Restore || CanCarryInBatch(selection.destination);
    // A partial save or a hand-edited store may hold what the dialog refuses.
    const SourceEntryChecks checks(selection.destination, files);
    const HeldFolder installDirectory(directory.Root(), files);
    std::vector<const PlannedSource*> refused;
    for (const PlannedSource& source : saved.plan.sources)
    {
        if (source.isSystemFolder)
            continue;
        const std::string path(source.path);
        if (!destinationCarried || !CanCarryInBatch(path))
            saved.refused.push_back({path, Shortfall::CannotCarry});
        else if (checks.Check(path) ||
                 (use != SavedPlanUse::Follow && installDirectory.By(path) != HeldFolder::Hold::No))
            saved.refused.push_back({path, Shortfall::HoldsBackupFolder});
        else
            continue;
        refused.push_back(&source);
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

AgentDuties ReadAgentDuties(const InstallDirectory& directory, platform::FileTree& files)
{
    const auto present = [&](const char* name) {
        return store::TestRead(directory.PathOf(name), files);
    };
    return AgentDuties{present(kEnableAutoMarker),
                       present(kModBatchFile) && present(kCatalogedMarker)};
}

std::string DestinationMissingText(const std::string& destination)
{
    return "Your backup folder " + destination + " cannot be found.";
}

} // namespace companions
