#include "restore/restore_view.h"

#include <gtest/gtest.h>

// The lines of the restore window's tree and what its filter found (a file's
// full line, with its time, is seen in the window's own test).
TEST(RestoreView, LinesOfTheTreeAndTheFilter)
{
    restore::Holding earlier;
    earlier.kind = restore::HoldingKind::NotInSelection;
    earlier.label = "D:\\Old";
    EXPECT_EQ("D:\\Old  (not in your selection)", restore::HoldingLine(earlier));
    restore::BackupItem item{"Work", "E:\\Backup\\Work", true, false, 0, {}, 0};
    EXPECT_EQ("Work", restore::ItemLine(item));
    item.isFolder = false;
    item.size = 12 * 1024;
    item.versions = 1;
    const std::string line = restore::ItemLine(item);
    EXPECT_EQ("Work  12.0 KB  ", line.substr(0, 15));
    EXPECT_EQ("  1 version", line.substr(line.size() - 11));

    EXPECT_EQ("No file in the backup has a name with that text.", restore::FoundLine(0, 10));
    EXPECT_EQ("Tick the files and folders to restore.", restore::FoundLine(9, 10));
    EXPECT_EQ("Many files match: the first 10 are shown. Type more of the name.",
              restore::FoundLine(10, 10));
}
