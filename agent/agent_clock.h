#pragma once

#include <cstdint>
#include <functional>

namespace agent
{

// The agent's decisions take the time from their caller, in milliseconds of
// a steady clock: the program reads its clock, the tests count by hand.
using Millis = std::int64_t;
using Clock = std::function<Millis()>;

} // namespace agent
