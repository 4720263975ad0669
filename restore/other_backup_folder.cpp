#include "restore/other_backup_folder.h"

#include "companions/saved_selection.h"

namespace restore
{

companions::SavedPlan SavedPlanFor(const std::string& folder, const InstallDirectory& directory,
                                   platform::FileTree& files)
{
    BackupSelection selection = companions::ReadSavedSelection(directory, files).selection;
    selection.destination = folder;
    return companions::PlanOfSelection(std::move(selection), directory, files,
                                       companions::SavedPlanUse::Restore);
}

} // namespace restore
