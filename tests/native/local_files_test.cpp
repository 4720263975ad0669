#include "platform/file_port.h"
#include "tests/native/agent_support.h"
#include "tests/native/temp_folder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// This platform's copy keeps the last-write time, makes the folders it
// needs, and leaves no file of its own behind.
TEST(LocalFiles, CopyKeepsTheTimeAndLeavesNothingElse)
{
    TempFolder folder;
    folder.Write(P("a.txt"), "saved text");
    fs::last_write_time(folder.PathOf("a.txt"),
                        fs::file_time_type::clock::now() - std::chrono::hours(30));
    platform::FilePort& files = platform::LocalFiles();
    const std::string copy = folder.PathOf(P("dest/sub/a.txt"));

    ASSERT_EQ(platform::CopyResult::Copied, files.CopyKeepingTime(folder.PathOf("a.txt"), copy));
    EXPECT_EQ("saved text", folder.Read(P("dest/sub/a.txt")));
    EXPECT_EQ(files.Facts(folder.PathOf("a.txt"))->writeTime, files.Facts(copy)->writeTime);
    EXPECT_EQ(10u, files.Facts(copy)->size);
    EXPECT_EQ(1u, files.List(folder.PathOf(P("dest/sub"))).size());
    EXPECT_TRUE(files.List(folder.PathOf("dest"))[0].facts.isFolder);
    EXPECT_TRUE(files.ClearArchiveBit(copy));

    EXPECT_EQ(platform::CopyResult::Failed,
              files.CopyKeepingTime(folder.PathOf("gone.txt"), folder.PathOf(P("dest/gone.txt"))));
    EXPECT_EQ(std::nullopt, files.Facts(folder.PathOf("gone.txt")));
    EXPECT_EQ(1u, files.List(folder.PathOf("dest")).size());
}
