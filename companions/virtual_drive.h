#pragma once

#include "companions/backup_folder.h"
#include "model/install_directory.h"
#include "model/prompt.h"
#include "platform/file_tree.h"

#include <cstdint>
#include <string>

namespace companions
{

// The drive letters of the user's session; Windows answers with its DOS
// device names, tests with a fake.
struct DriveLetters
{
    virtual ~DriveLetters() = default;
    // Bit 0 for A: and so on, for every letter that names a drive.
    virtual std::uint32_t Used() = 0;
    // What the letter stands for ("\??\E:\Backup" for a folder), empty when
    // it stands for nothing.
    virtual std::string TargetOf(char letter) = 0;
    virtual bool Define(char letter, const std::string& folder) = 0;
    // Removes the definition that gave the letter this target.
    virtual bool Remove(char letter, const std::string& target) = 0;
};

// Information icon: every message of the drive tool.
constexpr unsigned kInformationType = 0x40;

// "Add/Remove Virtual Drive": removes the letter that stands for the saved
// destination, or gives the destination the first free letter from Z:
// downwards, as subst does; a destination missing from its letter is taken
// where `search` finds it. Returns what to tell the user.
Message ToggleVirtualDrive(const InstallDirectory& directory, DriveLetters& letters,
                           platform::FileTree& files, const MovedBackupSearch& search);

} // namespace companions
