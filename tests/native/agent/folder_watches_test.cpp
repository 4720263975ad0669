#include "agent/folder_watches.h"

#include <gtest/gtest.h>

namespace
{

std::vector<std::string> Names(const std::vector<agent::WatchedFolder>& folders)
{
    std::vector<std::string> names;
    for (const agent::WatchedFolder& folder : folders)
        names.push_back(folder.folder);
    return names;
}

using Folders = std::vector<std::string>;

} // namespace

// A folder that cannot be watched is tried again each minute and when a
// device arrives; once watched again, or when its watch lost changes, it is
// walked; a walk asked for while one runs follows it, and one that found the
// destination away waits for it. A folder closed for a removal opens again
// when the removal fails.
TEST(FolderWatches, NeverLoseAWatchNorASave)
{
    agent::FolderWatches watches;
    EXPECT_TRUE(watches.Want({{"C:\\Docs", true, {}}, {"D:\\Stick", true, {}}}, 0).empty());
    EXPECT_EQ((Folders{"C:\\Docs", "D:\\Stick"}), Names(watches.TakeDue(0).open));
    watches.Opened("C:\\Docs");
    watches.Lost("D:\\Stick", 0);
    EXPECT_EQ(60000, watches.NextWake());
    EXPECT_TRUE(watches.TakeDue(59999).open.empty());
    watches.DeviceArrived(1000);
    agent::FolderWatches::Due due = watches.TakeDue(1000);
    EXPECT_EQ(Folders{"D:\\Stick"}, Names(due.open));
    EXPECT_TRUE(due.walk.empty());
    watches.Opened("D:\\Stick");
    EXPECT_EQ(Folders{"D:\\Stick"}, Names(watches.TakeDue(1000).walk));

    watches.Overflowed("D:\\Stick");
    EXPECT_TRUE(watches.TakeDue(1000).walk.empty());
    watches.Walked("D:\\Stick", true);
    EXPECT_EQ(Folders{"D:\\Stick"}, Names(watches.TakeDue(1000).walk));
    watches.Walked("D:\\Stick", false);
    EXPECT_TRUE(watches.TakeDue(1000).walk.empty());
    watches.DestinationBack();
    EXPECT_EQ(Folders{"D:\\Stick"}, Names(watches.TakeDue(1000).walk));

    watches.ClosedForRemoval("D:\\Stick");
    EXPECT_EQ(std::nullopt, watches.NextWake());
    watches.RemovalFailed("D:\\Stick", 2000);
    EXPECT_EQ(Folders{"D:\\Stick"}, Names(watches.TakeDue(2000).open));
    EXPECT_EQ(Folders{"C:\\Docs"}, watches.Want({{"D:\\Stick", true, {}}}, 3000));
}
