#pragma once

// Whether the monitor of an earlier "Backup Now" holds the mutex that says its
// batch still runs.
bool IsBackupRunning();

// The time between two looks at the mutex while a backup runs: it may belong
// to a process with other rights, and can then only be looked for, never
// waited on.
void PauseBeforeLookingAgain();
