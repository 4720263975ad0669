#pragma once

#include <windows.h>

// Handles, each null when there is no such process, to wait on.
struct BackupProcessHandles
{
    // The command interpreter that runs backup.bat.
    HANDLE batch = nullptr;
    // The dialog that started it and this monitor.
    HANDLE dialog = nullptr;
};

// Looks the two up in a process snapshot, right at the start, before either
// can end unseen: once a process has ended its id may be given to another.
BackupProcessHandles OpenBackupProcesses();
