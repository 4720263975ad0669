#include "agent/destination_look.h"

#include "companions/report.h"

#include <vector>

namespace agent
{
namespace
{

// The destination text the agent last found to be this computer's backup.
constexpr const char* kSeenFile = "destination seen.txt";

} // namespace

DestinationLook LookAtDestination(const std::string& destination, const LookContext& context,
                                  platform::FileTree& files)
{
    if (!files.IsFolder(destination))
    {
        if (files.IsDenied(destination))
            return {DestinationState::Denied, {}};
        const std::optional<std::string> moved =
            companions::FindMovedBackup(destination, {context.roots, context.computer.id}, files);
        return moved ? DestinationLook{DestinationState::There, *moved}
                     : DestinationLook{DestinationState::Away, {}};
    }
    const std::vector<std::string> seen =
        companions::ReadProfileList(context.localAppData, kSeenFile, files);
    const bool chosenAnew = seen.empty() || seen.front() != destination;
    bool ours = false;
    switch (companions::MarkOf(destination, context.computer.id, files))
    {
    case companions::FolderMark::Ours:
        ours = true;
        break;
    case companions::FolderMark::Unmarked:
        ours = companions::MarkAsOurs(destination, context.computer, files);
        break;
    case companions::FolderMark::Blank:
    case companions::FolderMark::Others:
        ours = chosenAnew && companions::MarkAsOurs(destination, context.computer, files);
        break;
    }
    if (!ours)
        return {DestinationState::NotOurs, {}};
    if (chosenAnew)
        companions::WriteProfileList(context.localAppData, kSeenFile, {destination}, files);
    return {DestinationState::There, destination};
}

std::string NotOurBackupText(const std::string& destination)
{
    return destination + " is not your backup folder. The automatic backups wait for it.";
}

std::string BackupMovedText(const std::string& place)
{
    return "Your backup disk is now " + place.substr(0, 2) + ". The automatic backups go to " +
           place + ".";
}

} // namespace agent
