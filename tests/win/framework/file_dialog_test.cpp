#include "framework/file_dialog.h"

#include <gtest/gtest.h>
#include <string>

TEST(FileDialogFilter, BarsBecomeNulsAndTheListEndsWithTwo)
{
    using namespace std::string_literals;
    EXPECT_EQ("AllFiles (*.*)\0*.*\0\0"s, ConvertFilter("AllFiles (*.*)|*.*|"));
}
