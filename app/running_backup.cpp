#include "app/running_backup.h"

#include "flows/backup_run.h"

#include <windows.h>

bool IsBackupRunning()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, flows::kBackupRunningMutex);
    if (mutex == nullptr)
        // Made by a process with other rights, the mutex exists all the same.
        return GetLastError() == ERROR_ACCESS_DENIED;
    CloseHandle(mutex);
    return true;
}
