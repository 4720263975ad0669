#include "companions/date_stamp.h"

#include <cstdio>

namespace companions
{

std::string DateStamp(const std::tm& time)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", time.tm_year + 1900, time.tm_mon + 1,
                  time.tm_mday);
    return text;
}

std::string DateTimeStamp(const std::tm& time, char separator, bool seconds)
{
    char text[64];
    std::snprintf(text, sizeof text, " %02d%c%02d", time.tm_hour, separator, time.tm_min);
    std::string stamp = DateStamp(time) + text;
    if (seconds)
    {
        std::snprintf(text, sizeof text, "%c%02d", separator, time.tm_sec);
        stamp += text;
    }
    return stamp;
}

} // namespace companions
