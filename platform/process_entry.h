#pragma once

#include <cstdint>
#include <string>

namespace platform
{

// One line of a process snapshot.
struct ProcessEntry
{
    std::uint32_t id = 0;
    std::uint32_t parentId = 0;
    std::string exeName;
    // Any clock, as long as every entry uses the same one.
    std::int64_t created = 0;
};

} // namespace platform
