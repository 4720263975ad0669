#include "framework/file_dialog.h"

#include <gtest/gtest.h>

namespace
{
using namespace std::string_literals;

TEST(FileDialogFilter, BarsBecomeNulsAndTheListEndsWithTwo)
{
    struct Case
    {
        std::string barSeparated;
        std::string expected;
    };
    const Case cases[] = {
        {"AllFiles (*.*)|*.*|", "AllFiles (*.*)\0*.*\0\0"s},
        {"AllFiles (*.*)|*.*", "AllFiles (*.*)\0*.*\0\0"s},
        {"Text|*.txt|All|*.*||", "Text\0*.txt\0All\0*.*\0\0"s},
        {"Pictures|*.bmp;*.jpg|", "Pictures\0*.bmp;*.jpg\0\0"s},
        {"", "\0\0"s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ConvertFilter(c.barSeparated)) << c.barSeparated;
}
} // namespace
