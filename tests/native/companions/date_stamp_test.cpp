#include "companions/date_stamp.h"
#include "tests/native/support/local_time.h"

#include <gtest/gtest.h>

TEST(DateStamp, YearFirstWithTheTimeAsNamesAndLinesWriteIt)
{
    const std::tm time = LocalTime(2026, 3, 4, 5, 6, 7);
    EXPECT_EQ("2026-03-04", companions::DateStamp(time));
    EXPECT_EQ("2026-03-04 05-06-07", companions::DateTimeStamp(time));
    EXPECT_EQ("2026-03-04 05:06:07", companions::DateTimeStamp(time, ':'));
    EXPECT_EQ("2026-03-04 05:06", companions::DateTimeStamp(time, ':', false));
}
