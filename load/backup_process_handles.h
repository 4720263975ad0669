#pragma once

#include "platform/win32/handle.h"

// The two processes a monitor waits on, each not open when there is none.
struct BackupProcessHandles
{
    // The command interpreter that runs backup.bat.
    platform::Handle batch;
    // The dialog that started it and this monitor.
    platform::Handle dialog;
};

// Looks the two up in a process snapshot, right at the start, before either
// can end unseen: once a process has ended its id may be given to another.
BackupProcessHandles OpenBackupProcesses();
