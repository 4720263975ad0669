#pragma once

#include <ctime>

namespace platform
{

// The clock as the user reads it now: reports are named by it.
inline std::tm LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    return *std::localtime(&now);
}

} // namespace platform
