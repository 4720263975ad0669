#include "platform/file_replace.h"
#include "tests/native/temp_folder.h"

#include <gtest/gtest.h>

TEST(FileReplace, WritesWholeFileOverMissingAndExistingFile)
{
    TempFolder folder;
    ASSERT_TRUE(platform::ReplaceFileWhole(folder.PathOf("data.dat"), "first\r\n"));
    EXPECT_EQ("first\r\n", folder.Read("data.dat"));

    ASSERT_TRUE(platform::ReplaceFileWhole(folder.PathOf("data.dat"), "x"));
    EXPECT_EQ("x", folder.Read("data.dat"));
    EXPECT_FALSE(folder.Exists("data.dat.tmp"));
}

TEST(FileReplace, FailsInMissingFolderAndLeavesNothing)
{
    TempFolder folder;
    EXPECT_FALSE(platform::ReplaceFileWhole(folder.PathOf("missing") + "/data.dat", "x"));
    EXPECT_FALSE(folder.Exists("missing"));
}
