#pragma once

#include "agent/agent_clock.h"
#include "platform/file_tree.h"

#include <string>

// The time of the last complete backup of the saved selection, kept in the
// user's profile folder: a "Backup Now" the monitor judged "All", or a run of
// the agent that copied or found current every file this user can read.
namespace agent
{

// The time kept. Where none is kept yet (a new install, an upgrade), or the
// one kept lies ahead of `now` (a clock set back), `now` counts and is kept
// from then on, so that a day later the age is a day.
UtcSeconds ReadLastCompleteBackup(const std::string& localAppData, UtcSeconds now,
                                  platform::FileTree& files);

// Keeps `when` as the time of the last complete backup.
bool KeepLastCompleteBackup(const std::string& localAppData, UtcSeconds when,
                            platform::FileTree& files);

} // namespace agent
