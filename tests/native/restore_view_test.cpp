#include "restore/restore_view.h"

#include <gtest/gtest.h>

// The lines of the restore window's tree and its filter (a file's full line,
// with its time, is seen in the window's own test).
TEST(RestoreView, LinesOfTheTreeAndTheFilter)
{
    restore::Holding earlier;
    earlier.kind = restore::HoldingKind::NotInSelection;
    earlier.label = "D:\\Old";
    EXPECT_EQ("D:\\Old  (not in your selection)", restore::HoldingLine(earlier));
    restore::BackupItem item{"Work", "E:\\Backup\\Work", true, 0, {}, 0};
    EXPECT_EQ("Work", restore::ItemLine(item));
    item.isFolder = false;
    item.size = 12 * 1024;
    item.versions = 1;
    const std::string line = restore::ItemLine(item);
    EXPECT_EQ("Work  12.0 KB  ", line.substr(0, 15));
    EXPECT_EQ("  1 version", line.substr(line.size() - 11));

    const std::string filter = restore::FoldFilter("rep");
    EXPECT_TRUE(restore::MatchesFilter("Annual REPORT.doc", filter));
    EXPECT_FALSE(restore::MatchesFilter("notes.txt", filter));
}
