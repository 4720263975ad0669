#include "app/running_backup.h"

#include "model/backup_running.h"

#include <windows.h>

bool IsBackupRunning()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kBackupRunningMutex);
    if (mutex == nullptr)
        // Made by a process with other rights, the mutex exists all the same.
        return GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(mutex);
    return true;
}
