// vd.exe: the backup folder as a drive letter, and back.
#include "companions/virtual_drive.h"
#include "desktop/unelevated_start.h"
#include "platform/file_tree.h"
#include "platform/path_code.h"
#include "platform/win32/wide_text.h"
#include "vdrive/dos_drive_letters.h"

#include <string>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    // The backup folder may be named in any characters: its path is UTF-8
    // here, and every call wide.
    platform::SetProcessPathCode(platform::PathCode::Utf8);
    // Windows keeps the drive letters of a user's elevated processes apart
    // from the others, and the dialog starts this program elevated: the
    // letter is made in the unelevated session, where Explorer shows it.
    if (HandOverToUser(commandLine, "") == HandOver::HandedOver)
        return 0;
    // No "insert a disk" box for an empty card reader among the drives looked at.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    DosDriveLetters letters;
    const Message message = companions::ToggleVirtualDrive(
        InstallDirectory(), letters, platform::LocalFiles(), companions::SearchOnThisComputer());
    MessageBoxW(nullptr, platform::WideFromPath(message.text).c_str(),
                platform::WideFromPath(message.caption).c_str(), message.type);
    return 0;
}
