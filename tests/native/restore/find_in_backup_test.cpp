#include "restore/find_in_backup.h"
#include "tests/native/support/backup_contents.h"

#include <atomic>
#include <gtest/gtest.h>

// The filter finds names in any letter case, holding by holding, up to its
// limit; a stop ends the walk.
TEST(FindInBackup, FindsFilesByAnyPartOfTheirName)
{
    FakeFiles files;
    files.AddFile("C:\\Notes\\report.txt", 1);
    for (const char* path : {"\\C\\Docs\\Annual REPORT.doc", "\\C\\Docs\\notes.txt",
                             "\\C\\Docs\\Sub\\reports.zip", "\\C\\Notes\\report.txt"})
        files.AddFile(kDest + path, 100);
    const auto contents =
        Contents(Selection({"C:\\Docs", "C:\\Notes\\report.txt"}, kDest, "1000000000"), files);
    const auto find = [&contents](const char* filter, std::size_t limit, bool stopped) {
        const std::atomic<bool> stop{stopped};
        std::vector<std::string> found;
        for (const restore::FoundFile& file : restore::FindInBackup(contents, filter, limit, stop))
            found.push_back(std::to_string(file.holding) + " " + file.item.name);
        return found;
    };
    EXPECT_EQ((std::vector<std::string>{"0 Annual REPORT.doc", "0 reports.zip", "1 report.txt"}),
              find("Rep", 10, false));
    EXPECT_EQ((std::vector<std::string>{"0 Annual REPORT.doc", "0 reports.zip"}),
              find("rep", 2, false));
    EXPECT_EQ(std::vector<std::string>{}, find("rep", 10, true));
}
