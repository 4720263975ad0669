// FAT times read by the rule of their own date: a file written on either
// side of a change of daylight saving time reads as the moment it was
// written, whichever side of the change today lies on, and our own copies'
// times read back as they were set.
#include "platform/win32/fat_time.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace
{

struct Moment
{
    WORD year, month, day, hour, minute, second;
};

FILETIME FileTimeOf(const Moment& m)
{
    const SYSTEMTIME time{m.year, m.month, 0, m.day, m.hour, m.minute, m.second, 0};
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return file;
}

std::string Text(const FILETIME& file)
{
    SYSTEMTIME t{};
    FileTimeToSystemTime(&file, &t);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                  t.wHour, t.wMinute, t.wSecond);
    return text;
}

// Central Europe: an hour ahead of UTC, two from the last Sunday of March
// at 02:00 to the last Sunday of October at 03:00.
platform::ClockRule CentralEurope(bool summerToday)
{
    platform::ClockRule rule;
    rule.zone.Bias = -60;
    rule.zone.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    rule.zone.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    rule.zone.DaylightBias = -60;
    rule.todaysBias = summerToday ? -120 : -60;
    return rule;
}

} // namespace

TEST(FatTime, IsTheMomentOfWritingOnEitherSideOfAChange)
{
    // What Windows reports (the stamp less today's offset), in UTC.
    struct Case
    {
        bool summerToday;
        Moment reported, written;
    };
    const Case cases[] = {
        // Written at 14:00 on a summer day, read in winter and in summer.
        {false, {2026, 7, 1, 13, 0, 0}, {2026, 7, 1, 12, 0, 0}},
        {true, {2026, 7, 1, 12, 0, 0}, {2026, 7, 1, 12, 0, 0}},
        // Written at 11:00 on a winter day, read in summer and in winter.
        {true, {2026, 1, 15, 9, 0, 0}, {2026, 1, 15, 10, 0, 0}},
        {false, {2026, 1, 15, 10, 0, 0}, {2026, 1, 15, 10, 0, 0}},
        // Just before and after the change in spring, read in summer.
        {true, {2026, 3, 28, 23, 59, 58}, {2026, 3, 29, 0, 59, 58}},
        {true, {2026, 3, 29, 1, 0, 0}, {2026, 3, 29, 1, 0, 0}},
        // Just before and after the change in autumn, read in winter.
        {false, {2026, 10, 25, 0, 59, 58}, {2026, 10, 24, 23, 59, 58}},
        {false, {2026, 10, 25, 2, 0, 0}, {2026, 10, 25, 2, 0, 0}},
    };
    for (const Case& c : cases)
    {
        const platform::ClockRule rule = CentralEurope(c.summerToday);
        const FILETIME written = platform::TrueTimeOfFat(FileTimeOf(c.reported), rule);
        EXPECT_EQ(Text(FileTimeOf(c.written)), Text(written)) << Text(FileTimeOf(c.reported));
        EXPECT_EQ(Text(FileTimeOf(c.reported)), Text(platform::FatTimeOf(written, rule)));
    }
}
