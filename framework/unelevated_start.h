#pragma once

#include <string>

// Whether this process runs with a full administrator's token.
bool IsElevated();

// Starts this program again, with `arguments`, through the desktop's shell,
// which runs without elevation in the user's own session. False when there is
// no desktop shell to ask.
bool StartThroughDesktopShell(const std::string& arguments);
