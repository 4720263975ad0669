#pragma once

// Whether the monitor of an earlier "Backup Now" holds the mutex that says its
// batch still runs.
bool IsBackupRunning();
