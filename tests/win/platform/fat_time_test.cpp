// A FAT time written on either side of a change of daylight saving time
// reads as the moment it was written, whichever side today lies on, and our
// own copies' times read back as they were set.
#include "platform/win32/fat_time.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <tuple>

namespace
{

ULONGLONG TicksOf(const FILETIME& file)
{
    return ULONGLONG{file.dwHighDateTime} << 32 | file.dwLowDateTime;
}

FILETIME FileTimeOf(const char* text)
{
    SYSTEMTIME time{};
    std::sscanf(text, "%hu-%hu-%hu %hu:%hu:%hu", &time.wYear, &time.wMonth, &time.wDay, &time.wHour,
                &time.wMinute, &time.wSecond);
    FILETIME file{};
    SystemTimeToFileTime(&time, &file);
    return file;
}

} // namespace

TEST(FatTime, IsTheMomentOfWritingOnEitherSideOfAChange)
{
    // Central Europe: an hour ahead of UTC, two from the last Sunday of March
    // at 02:00 to the last Sunday of October at 03:00.
    platform::ClockRule rule;
    rule.zone.Bias = -60;
    rule.zone.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    rule.zone.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    rule.zone.DaylightBias = -60;
    // Today's offset, what Windows reports (the stamp less that offset) and
    // the moment of writing, all in UTC.
    const std::tuple<LONG, const char*, const char*> cases[] = {
        // Written at 14:00 on a summer day, read in winter and in summer.
        {-60, "2026-07-01 13:00:00", "2026-07-01 12:00:00"},
        {-120, "2026-07-01 12:00:00", "2026-07-01 12:00:00"},
        // Written at 11:00 on a winter day, read in summer and in winter.
        {-120, "2026-01-15 09:00:00", "2026-01-15 10:00:00"},
        {-60, "2026-01-15 10:00:00", "2026-01-15 10:00:00"},
        // Just before and after the change in spring, read in summer.
        {-120, "2026-03-28 23:59:58", "2026-03-29 00:59:58"},
        {-120, "2026-03-29 01:00:00", "2026-03-29 01:00:00"},
        // Just before and after the change in autumn, read in winter.
        {-60, "2026-10-25 00:59:58", "2026-10-24 23:59:58"},
        {-60, "2026-10-25 02:00:00", "2026-10-25 02:00:00"},
    };
    for (const auto& [todaysBias, reported, written] : cases)
    {
        rule.todaysBias = todaysBias;
        const FILETIME moment = platform::TrueTimeOfFat(FileTimeOf(reported), rule);
        EXPECT_EQ(TicksOf(FileTimeOf(written)), TicksOf(moment)) << reported;
        EXPECT_EQ(TicksOf(FileTimeOf(reported)), TicksOf(platform::FatTimeOf(moment, rule)));
    }
}
