#pragma once

// Whether the monitor of an earlier "Backup Now" holds the mutex that says its
// batch still runs.
bool IsBackupRunning();

// Returns once no backup runs: a restore never writes while the batch may be
// writing the copies it reads.
void WaitWhileBackupRuns();
