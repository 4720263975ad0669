#include "companions/virtual_drive.h"

#include "companions/backup_folder.h"
#include "companions/saved_plan.h"
#include "companions/saved_selection.h"
#include "platform/path_text.h"

namespace companions
{
namespace
{

Message Told(const std::string& text)
{
    return Message{text, "Corvane Backup", kInformationType};
}

// A folder as a device name compares: without the "\??\" of the object
// namespace (where a share is "\??\UNC\server\share"), a trailing backslash
// or letter case.
std::string Comparable(std::string path, const platform::FileTree& files)
{
    if (path.rfind("\\??\\UNC\\", 0) == 0)
        path.replace(0, 8, "\\\\");
    else if (path.rfind("\\??\\", 0) == 0)
        path.erase(0, 4);
    while (path.size() > 1 && platform::EndsWithSeparator(path))
        path.pop_back();
    return files.FoldCase(std::move(path));
}

std::string Name(char letter)
{
    return std::string(1, letter) + ":";
}

} // namespace

Message ToggleVirtualDrive(const InstallDirectory& directory, DriveLetters& letters,
                           platform::FileTree& files, const MovedBackupSearch& search)
{
    const SavedSelection saved = ReadSavedSelection(directory, files);
    if (!saved.unreadable.empty())
        return Told(UnreadableStoreText(saved.unreadable));
    std::string destination = saved.selection.destination;
    if (destination.empty())
        return Told("Choose a folder to back up to first.");
    // A backup disk that came back at another letter is shown from there.
    if (!files.IsFolder(destination))
        destination = FindMovedBackup(destination, search, files).value_or(destination);
    const std::string wanted = Comparable(destination, files);
    for (char letter = 'A'; letter <= 'Z'; ++letter)
    {
        const std::string target = letters.TargetOf(letter);
        if (target.empty() || Comparable(target, files) != wanted)
            continue;
        if (!letters.Remove(letter, target))
            return Told("Drive " + Name(letter) + " cannot be removed.");
        return Told("Drive " + Name(letter) + " no longer shows your backup folder.");
    }
    if (!files.IsFolder(destination))
        return Told(DestinationNotThereText(destination, files));
    const std::uint32_t used = letters.Used();
    for (char letter = 'Z'; letter >= 'A'; --letter)
    {
        if ((used >> (letter - 'A') & 1) == 0 && letters.TargetOf(letter).empty())
        {
            if (!letters.Define(letter, destination))
                break;
            return Told("Your backup folder " + destination + " is now drive " + Name(letter) +
                        ".");
        }
    }
    return Told("Your backup folder " + destination + " cannot be given a drive letter.");
}

} // namespace companions
