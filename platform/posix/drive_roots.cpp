#include "platform/drive_roots.h"

namespace platform
{

// No drive letters here: a disk keeps the place it is mounted at.
std::vector<std::string> LocalDriveRoots()
{
    return {};
}

} // namespace platform
