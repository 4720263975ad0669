#include "desktop/running_backup.h"

#include "model/backup_running.h"
#include "platform/win32/handle.h"

#include <windows.h>

bool IsBackupRunning()
{
    // Made by a process with other rights, the mutex exists all the same.
    const platform::Handle mutex(OpenMutexA(SYNCHRONIZE, FALSE, kBackupRunningMutex));
    return mutex.IsOpen() || GetLastError() == ERROR_ACCESS_DENIED;
}

void PauseBeforeLookingAgain()
{
    // Short enough that a Close during the wait ends it at once.
    Sleep(250);
}
