#include "vdrive/dos_drive_letters.h"

#include "platform/win32/wide_text.h"

#include <windows.h>

namespace
{

std::wstring DeviceName(char letter)
{
    return {static_cast<wchar_t>(letter), L':'};
}

} // namespace

std::uint32_t DosDriveLetters::Used()
{
    return GetLogicalDrives();
}

std::string DosDriveLetters::TargetOf(char letter)
{
    // Several targets, each ended by a NUL: the first is the one in force.
    std::wstring targets(32 * 1024, L'\0');
    if (QueryDosDeviceW(DeviceName(letter).c_str(), targets.data(),
                        static_cast<DWORD>(targets.size())) == 0)
        return {};
    targets.resize(targets.find(L'\0'));
    return platform::PathFromWide(targets);
}

bool DosDriveLetters::Define(char letter, const std::string& folder)
{
    return DefineDosDeviceW(0, DeviceName(letter).c_str(),
                            platform::WideFromPath(folder).c_str()) != FALSE;
}

bool DosDriveLetters::Remove(char letter, const std::string& target)
{
    // Only the definition that names this very target, as it stands.
    return DefineDosDeviceW(DDD_RAW_TARGET_PATH | DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE,
                            DeviceName(letter).c_str(),
                            platform::WideFromPath(target).c_str()) != FALSE;
}
