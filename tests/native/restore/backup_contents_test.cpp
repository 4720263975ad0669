#include "restore/backup_contents.h"
#include "tests/native/support/backup_contents.h"

#include <gtest/gtest.h>

namespace
{

std::vector<std::string> Names(const std::vector<restore::BackupItem>& items)
{
    std::vector<std::string> names;
    for (const restore::BackupItem& item : items)
        names.push_back(item.name + (item.isFolder ? "\\" : ""));
    return names;
}

} // namespace

// One source: its place is the destination less the program's folders; what
// its plan would not copy shows apart, and System State on its own.
TEST(BackupContents, OneSourceHoldsTheDestinationLessTheProgramsFolders)
{
    FakeFiles files;
    for (const char* path :
         {"\\Docs\\a.doc", "\\Docs\\Sub\\b.doc", "\\Docs\\notes.zzz", "\\top.doc", "\\old.zzz",
          "\\x.doc.corvane-part", "\\Corvane Backup reports\\r.txt", "\\systemstate\\s.dll"})
        files.AddFile(kDest + path, 100, false, 7);
    files.AddFile(kDest + "\\Corvane Backup versions\\top (2026-12-07 09-30-05).doc", 50);
    files.AddFile(kDest + "\\Corvane Backup versions\\top (2026-12-06 09-30-05).doc", 40);
    // Documents only: the text files are the backup's, not this selection's.
    const auto contents = Contents(Selection({"C:\\Work"}, kDest, "0000001000"), files);
    EXPECT_EQ((std::vector<std::string>{"source C:\\Work -> C:\\Work", "other Other files -> ",
                                        "system System State -> "}),
              Holdings(contents));
    const auto& holdings = contents.Holdings();
    const auto top = contents.List(holdings[0], kDest);
    EXPECT_EQ((std::vector<std::string>{"Docs\\", "top.doc"}), Names(top));
    EXPECT_EQ(2, top[1].versions);
    EXPECT_EQ(7u, top[1].size);
    EXPECT_EQ((std::vector<std::string>{"Docs\\", "old.zzz"}),
              Names(contents.List(holdings[1], kDest)));
    EXPECT_EQ((std::vector<std::string>{"Sub\\", "notes.zzz"}),
              Names(contents.List(holdings[1], kDest + "\\Docs")));
    std::vector<std::string> walked;
    contents.Walk(holdings[0], kDest, [&walked](const restore::BackupItem& item) {
        walked.push_back(item.copyPath);
        return true;
    });
    EXPECT_EQ(3u, walked.size());

    // All file types copy every name: nothing else to show.
    EXPECT_EQ((std::vector<std::string>{"source C:\\Work -> C:\\Work", "system System State -> "}),
              Holdings(Contents(Selection({"C:\\Work"}, kDest, "1000000000"), files)));
    EXPECT_FALSE(restore::BackupContents::Read(
        Saved(Selection({"C:\\Work"}, "F:\\Gone", "1000000000"), files), files));
}

// Two or more: each source is its mirror; mirrors no source covers are
// marked, a share keeps its server and name, and loose files are other files.
TEST(BackupContents, SeveralSourcesAreTheirMirrors)
{
    FakeFiles files;
    files.AddFile("C:\\Notes\\n.txt", 1);
    for (const char* path :
         {"\\C\\Docs\\a.doc", "\\C\\Notes\\n.txt", "\\C\\Notes\\gone.txt", "\\C\\Old\\o.txt",
          "\\D\\d.txt", "\\UNC\\nas\\home\\h.txt", "\\other\\x\\y.txt", "\\loose.txt"})
        files.AddFile(kDest + path, 100);
    const auto contents = Contents(
        Selection({"C:\\Docs", "C:\\Notes\\n.txt", "C:\\Missing"}, kDest, "1000000000"), files);
    EXPECT_EQ((std::vector<std::string>{
                  "source C:\\Docs -> C:\\Docs",
                  "source C:\\Notes\\n.txt -> C:\\Notes\\n.txt",
                  "source C:\\Missing -> C:\\Missing",
                  "not in selection C:\\Notes\\gone.txt -> C:\\Notes\\gone.txt",
                  "not in selection C:\\Old -> C:\\Old",
                  "not in selection D:\\ -> D:\\",
                  "not in selection \\\\nas\\home -> \\\\nas\\home",
                  "not in selection other -> ",
                  "other Other files -> ",
              }),
              Holdings(contents));
    EXPECT_TRUE(contents.Holdings()[1].isFile);
    EXPECT_EQ((std::vector<std::string>{"loose.txt"}),
              Names(contents.List(contents.Holdings()[8], kDest)));
}
