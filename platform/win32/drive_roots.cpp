#include "platform/drive_roots.h"

#include <windows.h>

namespace platform
{

std::vector<std::string> LocalDriveRoots()
{
    std::vector<std::string> roots;
    const DWORD letters = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter)
    {
        if ((letters >> (letter - 'A') & 1) == 0)
            continue;
        const wchar_t device[] = {static_cast<wchar_t>(letter), L':', L'\0'};
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', L'\0'};
        const UINT type = GetDriveTypeW(root);
        if (type != DRIVE_FIXED && type != DRIVE_REMOVABLE)
            continue;
        // A subst letter stands for a path of the object namespace ("\??\C:\Data").
        wchar_t target[1024];
        if (QueryDosDeviceW(device, target, 1024) && wcsncmp(target, L"\\??\\", 4) == 0)
            continue;
        roots.push_back(std::string(1, letter) + ":\\");
    }
    return roots;
}

} // namespace platform
