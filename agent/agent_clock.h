#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
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

// The wall clock, in seconds since 1970-01-01 UTC. Ages of a day or a week
// are measured on it, not on the steady clock, whose count stands still
// while the computer sleeps.
using UtcSeconds = std::int64_t;
using WallClock = std::function<UtcSeconds()>;

inline UtcSeconds UtcNow()
{
    return static_cast<UtcSeconds>(std::time(nullptr));
}

} // namespace agent
