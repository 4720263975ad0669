#pragma once

#include <string>

// The restore window, "Load.exe /restore" without "/quiet": shows what the
// backup holds and restores what the user checks. Returns the exit status.
int RunRestoreWindow(const std::string& arguments);

// Said under the window's first line when it runs as administrator.
extern const char kAdministratorsNotice[];
