#include "companions/backup_folder.h"

#include "model/backup_folders.h"
#include "platform/drive_roots.h"
#include "platform/path_text.h"
#include "store/store_file.h"
#include "store/store_formats.h"

namespace companions
{
namespace
{

std::string ReportsFolderOf(const std::string& folder)
{
    return platform::JoinPath(folder, kReportsFolder);
}

std::string IdFileOf(const std::string& folder)
{
    return platform::JoinPath(ReportsFolderOf(folder), kBackupIdFile);
}

// The lines of the id file: each computer's id, then its name.
bool HoldsId(const std::vector<std::string>& lines, const std::string& computerId)
{
    for (size_t line = 0; line < lines.size(); line += 2)
    {
        if (lines[line] == computerId)
            return true;
    }
    return false;
}

// "E:\" for "E:\Backup" and "E:\"; empty for a path on no drive letter.
std::string DriveRootOf(const std::string& path)
{
    if (path.size() < 3 || path[1] != ':' || !platform::IsSeparator(path[2]))
        return {};
    return path.substr(0, 3);
}

} // namespace

FolderMark MarkOf(const std::string& folder, const std::string& computerId,
                  platform::FileTree& files)
{
    const store::FileText ids = store::Read(IdFileOf(folder), files);
    if (ids.result == platform::ReadResult::Read)
        return !computerId.empty() && HoldsId(store::ParseSourceList(ids.text), computerId)
                   ? FolderMark::Ours
                   : FolderMark::Others;
    if (ids.result == platform::ReadResult::Unreadable)
        return FolderMark::Others;
    return files.IsFolder(ReportsFolderOf(folder)) ? FolderMark::Unmarked : FolderMark::Blank;
}

bool MarkAsOurs(const std::string& folder, const platform::Computer& computer,
                platform::FileTree& files)
{
    const std::string path = IdFileOf(folder);
    const store::FileText ids = store::Read(path, files);
    if (ids.result == platform::ReadResult::Unreadable || computer.id.empty())
        return false;
    std::vector<std::string> lines = store::ParseSourceList(ids.text);
    if (HoldsId(lines, computer.id))
        return true;
    // A last line without its name would pair every later id with a name.
    if (lines.size() % 2 != 0)
        lines.emplace_back();
    lines.push_back(computer.id);
    lines.push_back(computer.name);
    // Below the folder only, and through no link planted there: the monitor
    // that writes it runs elevated.
    const std::unique_ptr<platform::HeldFolders> held =
        files.MakeFoldersBelow(folder, ReportsFolderOf(folder));
    return held && store::ReplaceWithText(path, store::FormatSourceList(lines), files);
}

MovedBackupSearch SearchOnThisComputer()
{
    return {platform::LocalDriveRoots(), platform::ThisComputer().id};
}

std::optional<std::string> FindMovedBackup(const std::string& destination,
                                           const MovedBackupSearch& search,
                                           platform::FileTree& files)
{
    const std::string root = DriveRootOf(destination);
    if (root.empty() || search.computerId.empty())
        return std::nullopt;
    const std::string below = destination.substr(root.size());
    for (const std::string& other : search.roots)
    {
        if (files.FoldCase(other) == files.FoldCase(root))
            continue;
        const std::string place = other + below;
        if (files.IsFolder(place) && MarkOf(place, search.computerId, files) == FolderMark::Ours)
            return place;
    }
    return std::nullopt;
}

SavedPlan FollowMovedBackup(SavedPlan saved, const InstallDirectory& directory,
                            const MovedBackupSearch& search, platform::FileTree& files,
                            SavedPlanUse use)
{
    if (files.IsFolder(saved.selection.destination))
        return saved;
    const std::optional<std::string> place =
        FindMovedBackup(saved.selection.destination, search, files);
    if (!place)
        return saved;
    return MovedTo(saved.selection, *place, directory, files, use);
}

SavedPlan MovedTo(const BackupSelection& selection, const std::string& place,
                  const InstallDirectory& directory, platform::FileTree& files, SavedPlanUse use)
{
    BackupSelection moved = selection;
    moved.destination = place;
    return PlanOfSelection(std::move(moved), directory, files, use);
}

std::string DestinationNotThereText(const std::string& destination, platform::FileTree& files)
{
    if (files.IsDenied(destination))
        return "Your backup folder " + destination + " cannot be opened: access denied.";
    return DestinationMissingText(destination);
}

} // namespace companions
