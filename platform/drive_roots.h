#pragma once

#include <string>
#include <vector>

namespace platform
{

// The roots ("F:\") of the drive letters that stand for a disk of this
// computer, fixed or removable: never a network drive, nor a letter that
// stands for a folder (subst), whose folder lies on one of the others. A
// backup disk plugged in again may come back at any of them.
std::vector<std::string> LocalDriveRoots();

} // namespace platform
