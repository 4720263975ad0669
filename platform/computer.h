#pragma once

#include <string>

namespace platform
{

// This computer as its backups are marked: the id Windows gave it when it
// was set up (MachineGuid), which no rename or new disk changes, and the
// name the user knows it by, which stands for the id where the system keeps
// none.
struct Computer
{
    std::string id;
    std::string name;
};

Computer ThisComputer();

} // namespace platform
