#pragma once

#include "model/install_directory.h"

#include <string>

class AgentWorker;

// The log-off backup as the resident agent runs it when the session ends, all
// of it within the cap, the store's read included: the agent's worker is
// given the rest of the cap to finish the copy under way, a running "Backup
// Now" is waited for, and so is another session's run over the whole
// selection (the agents' mutex), and the backup runs on a thread of its own, which the
// end of the session ends should it hang. It looks at the destination first
// (10 seconds at most), then reads the saved plan without asking a
// destination that did not answer, refused the user or is not this
// computer's backup (its report then stays in the profile), or where the disk
// moved to. A share that refused the user already (`refused`) is not asked
// again.
void EndSessionWithBackup(AgentWorker& worker, const InstallDirectory& directory,
                          const std::string& localAppData, bool refused);
