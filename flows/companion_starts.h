#pragma once

#include "model/install_directory.h"
#include "model/shell.h"

#include <array>
#include <cstddef>

namespace flows
{

// One program or batch file of the install directory to start.
struct CompanionStart
{
    const char* fileName;
    int show;
    // The starts after this one make no sense without it, so they are
    // skipped when it fails.
    bool neededByLater;
};

// "Backup Now": the hidden backup.bat, then the monitor shown normally. A
// monitor without a running backup would only mislead the user.
inline constexpr std::array<CompanionStart, 2> kAfterBackup{{
    {kBackupBatchFile, kShowHidden, true},
    {kLoadProgram, kShowNormal, false},
}};

// Cataloguing for backups on modification: Load.exe and config.bat, hidden.
// config.bat only hands the work to that Load.exe.
inline constexpr std::array<CompanionStart, 2> kCatalogFlow{{
    {kLoadProgram, kShowHidden, true},
    {kConfigBatchFile, kShowHidden, false},
}};

// "Add/Remove Virtual Drive": the drive tool, hidden.
inline constexpr std::array<CompanionStart, 1> kVirtualDrive{{
    {kVirtualDriveProgram, kShowHidden, false},
}};

// Starts each in order by its full path, waiting for none. One answer per
// start: whether it was started (false also when it was skipped).
template <std::size_t N>
std::array<bool, N> StartCompanions(const InstallDirectory& directory, Shell& shell,
                                    const std::array<CompanionStart, N>& starts)
{
    std::array<bool, N> started{};
    for (std::size_t i = 0; i < N; ++i)
    {
        started[i] = shell.Start(directory.PathOf(starts[i].fileName), starts[i].show);
        if (!started[i] && starts[i].neededByLater)
            break;
    }
    return started;
}

} // namespace flows
