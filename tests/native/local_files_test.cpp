#include "platform/file_tree.h"
#include "tests/native/agent_support.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// This platform's copy keeps the last-write time, makes the folders it
// needs, and leaves no file of its own behind.
TEST(LocalFiles, CopyKeepsTheTimeAndLeavesNothingElse)
{
    Install folder;
    folder.Write(P("a.txt"), "saved text");
    fs::last_write_time(folder.PathOf("a.txt"),
                        fs::file_time_type::clock::now() - std::chrono::hours(30));
    const std::string copy = folder.PathOf(P("dest/sub/a.txt"));

    platform::FileTree& files = platform::LocalFiles();
    ASSERT_EQ(platform::CopyResult::Copied, files.Copy(folder.PathOf("a.txt"), copy));
    EXPECT_EQ("saved text", folder.Read(P("dest/sub/a.txt")));
    EXPECT_EQ(files.Facts(folder.PathOf("a.txt"))->lastWrite, files.Facts(copy)->lastWrite);
    int entries = 0;
    files.List(folder.PathOf(P("dest/sub")),
               [&entries](std::string_view, const platform::FileFacts&) { ++entries; });
    EXPECT_EQ(1, entries);
    EXPECT_TRUE(files.ClearArchive(copy));

    EXPECT_EQ(platform::CopyResult::Failed,
              files.Copy(folder.PathOf("gone.txt"), folder.PathOf(P("dest/gone.txt"))));
    EXPECT_FALSE(fs::exists(folder.PathOf(P("dest/gone.txt"))));
}
