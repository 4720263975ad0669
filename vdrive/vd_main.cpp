// vd.exe: the backup folder as a drive letter, and back.
#include "flows/virtual_drive.h"
#include "framework/unelevated_start.h"
#include "vdrive/dos_drive_letters.h"

#include <string>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    // Windows keeps the drive letters of a user's elevated processes apart
    // from the others, and the dialog starts this program elevated: the
    // letter is made in the unelevated session, where Explorer shows it.
    if (!WasRelayed(commandLine) && IsElevated() &&
        StartThroughDesktopShell(std::string(kRelayedArgument)))
        return 0;
    DosDriveLetters letters;
    const Message message = flows::ToggleVirtualDrive(InstallDirectory(), letters);
    MessageBoxA(nullptr, message.text.c_str(), message.caption.c_str(), message.type);
    return 0;
}
