#pragma once

#include "companions/hand_over.h"

#include <string>

// Hands an elevated start over to a copy of this program that the desktop's
// shell starts with `relayedArguments` and that holds `runningMutex` once it
// runs: each of the two tries waits up to ten seconds for that mutex.
companions::HandOverOutcome HandOverToUserCopy(const std::string& arguments,
                                               const std::string& relayedArguments,
                                               const char* runningMutex);
