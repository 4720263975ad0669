#pragma once

// The monitor holds this mutex while the batch of its run is running; a new
// "Backup Now" waits for it to be free.
inline constexpr const char* kBackupRunningMutex = "Global\\CorvaneBackup.BackupRunning";
