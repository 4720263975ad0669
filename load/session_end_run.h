#pragma once

#include "agent/agent_clock.h"
#include "agent/destination_look.h"
#include "model/install_directory.h"

#include <ctime>
#include <string>

// The log-off backup as the resident agent runs it, on a thread of its own,
// all of it within the cap: the destination looked at first (10 seconds at
// most), then the saved plan read without asking a destination that did not
// answer, refused the user or is not this computer's backup (its report
// then stays in the profile), or where the disk moved to.
void RunSessionEndBackup(const InstallDirectory& directory, const std::string& localAppData,
                         agent::Clock clock, agent::Millis deadline, const std::tm& started);
