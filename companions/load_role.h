#pragma once

#include <string_view>

namespace companions
{

// The jobs one start of Load.exe can have.
enum class LoadRole
{
    // Shown by "Backup Now": follows the backup just started.
    Monitor,
    // Hidden, by the catalog flow: clears the archive bits of the saved
    // sources, then leaves "cataloged".
    Catalog,
    // The user's agent for the session: copies on save and at log-off.
    Resident,
    // The installer's: ends every companion before files are replaced.
    Stop,
    // "/restore /quiet PATH [/to FOLDER]": a restore without a window, with
    // the rights it was started with, never handed over.
    QuietRestore,
    // "/restore": the restore window, with the user's own rights.
    RestoreWindow,
};

// What the installer's registration passes at log-on, and what its own
// requests to end the companions pass.
inline constexpr std::string_view kLogOnArgument = "/logon";
inline constexpr std::string_view kStopArgument = "/stop";
// "/restore" opens the restore window; "/restore /quiet PATH [/to FOLDER]"
// restores without one.
inline constexpr std::string_view kRestoreArgument = "/restore";
inline constexpr std::string_view kQuietArgument = "/quiet";
inline constexpr std::string_view kToArgument = "/to";

// Chosen once, at the start, from the first word after the program's name. The
// log-on start may come shown (the Run key shows what it starts); a hidden
// start that is no catalog becomes the resident, which a second start of the
// same session leaves to the first.
LoadRole ChooseLoadRole(std::string_view arguments, bool startedShown, bool catalogRequested);

} // namespace companions
