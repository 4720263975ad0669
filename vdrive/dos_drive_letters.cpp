#include "vdrive/dos_drive_letters.h"

#include <windows.h>

namespace
{

std::string DeviceName(char letter)
{
    return std::string(1, letter) + ":";
}

} // namespace

std::uint32_t DosDriveLetters::Used()
{
    return GetLogicalDrives();
}

std::string DosDriveLetters::TargetOf(char letter)
{
    // Several targets, each ended by a NUL: the first is the one in force.
    std::string targets(32 * 1024, '\0');
    if (QueryDosDeviceA(DeviceName(letter).c_str(), targets.data(),
                        static_cast<DWORD>(targets.size())) == 0)
        return {};
    targets.resize(targets.find('\0'));
    return targets;
}

bool DosDriveLetters::Define(char letter, const std::string& folder)
{
    return DefineDosDeviceA(0, DeviceName(letter).c_str(), folder.c_str()) != FALSE;
}

bool DosDriveLetters::Remove(char letter, const std::string& target)
{
    // Only the definition that names this very target, as it stands.
    return DefineDosDeviceA(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE,
                            DeviceName(letter).c_str(), target.c_str()) != FALSE;
}
