#pragma once

// The monitor holds this mutex while the batch of its run is running; a new
// "Backup Now" waits for it to be free.
inline constexpr const char* kBackupRunningMutex = "Global\\CorvaneBackup.BackupRunning";
// Held by a user's agent around a run over the whole selection (the log-off
// backup, the daily catch-up), so that the runs of two sessions never
// overlap on one destination.
inline constexpr const char* kAgentRunMutex = "Global\\CorvaneBackup.AgentRun";
