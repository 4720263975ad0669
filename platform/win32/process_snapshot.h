#pragma once

#include "platform/process_entry.h"

#include <vector>

namespace platform
{

// Every process running now, its creation time left at zero: reading it
// takes opening the process. Empty when no snapshot can be taken.
std::vector<ProcessEntry> TakeProcessSnapshot();

} // namespace platform
