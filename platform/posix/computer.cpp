#include "platform/computer.h"

#include <fstream>
#include <unistd.h>

namespace platform
{

Computer ThisComputer()
{
    Computer computer;
    std::getline(std::ifstream("/etc/machine-id"), computer.id);
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) == 0)
        computer.name = name;
    // Where the system keeps none, the name stands for it.
    if (computer.id.empty())
        computer.id = computer.name;
    return computer;
}

} // namespace platform
