#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace agent
{

// The agent's decisions take the time from their caller, in milliseconds of
// a steady clock: the program reads its clock, the tests count by hand.
using Millis = std::int64_t;
using Clock = std::function<Millis()>;

// The program's clock: a steady one, which the user's changes of the time
// of day never move.
inline Millis SteadyNow()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace agent
