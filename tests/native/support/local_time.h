#pragma once

#include <ctime>
#include <tuple>

// A run's start in local time, as a report is named after it.
inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time{};
    std::tie(time.tm_year, time.tm_mon, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec) =
        std::make_tuple(year - 1900, month - 1, day, hour, minute, second);
    return time;
}
