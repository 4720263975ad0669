#pragma once

#include <ctime>
#include <string>

// Dates and times as the companions write them, in names and in lines: year
// first, so that names sort by time.
namespace companions
{

// "2026-12-07".
std::string DateStamp(const std::tm& time);

// "2026-12-07 09-30-05", or "2026-12-07 09:30" without the seconds: a file
// name holds no ":", so names part the time with "-" and lines with ":".
std::string DateTimeStamp(const std::tm& time, char separator = '-', bool seconds = true);

} // namespace companions
