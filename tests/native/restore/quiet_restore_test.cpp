#include "companions/report.h"
#include "restore/quiet_restore.h"
#include "tests/native/support/backup_contents.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/local_time.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/utf8_paths.h"

#include <gtest/gtest.h>

// "Load.exe /restore /quiet PATH [/to FOLDER]": its words, its statuses, its
// report (ANSI, CR LF), which the log-on display never shows.
TEST(QuietRestore, StatusesLinesAndReport)
{
    using restore::ParseQuietRestore;
    EXPECT_EQ("C:\\My Docs", ParseQuietRestore("/restore /quiet \"C:\\My Docs\"")->path);
    EXPECT_EQ("F:\\To", ParseQuietRestore("/restore /quiet C:\\W /to F:\\To")->toFolder);
    EXPECT_FALSE(ParseQuietRestore("/restore /quiet"));
    EXPECT_FALSE(ParseQuietRestore("/restore /quiet C:\\W /from F:\\To"));

    const InstallDirectory install(P("/install"));
    const std::string profile = P("/profile");
    FakeFiles files;
    files.MakeFolders(profile);
    files.AddFile(kDest + "\\a.doc", 100, false, 4);
    files.AddFile(kDest + "\\Sub\\b.doc", 100, false, 4);
    files.AddFile("C:\\W\\Sub\\b.doc", 200, false, 5);
    const std::tm start = LocalTime(2026, 12, 8, 10, 0, 0);
    const restore::QuietRestoreContext context{files, start, profile, {}};
    const auto run = [&](const std::string& path, const std::string& to = {}) {
        const auto outcome = RunQuietRestore(install, {path, to}, context);
        return std::to_string(outcome.status) + " " + outcome.line;
    };
    EXPECT_EQ("2 Choose a folder to back up to first.", run("C:\\W"));
    SaveSelection(install, Selection({"C:\\W"}, "F:\\Gone", "1000000000"), files);
    EXPECT_EQ("2 Your backup folder F:\\Gone cannot be found.", run("C:\\W"));
    SaveSelection(install, Selection({"C:\\W"}, kDest, "1000000000"), files);
    EXPECT_EQ("2 C:\\Wx is not in your backup selection.", run("C:\\Wx"));
    EXPECT_EQ("2 Choose a folder outside your backup folder.", run("C:\\W", kDest));
    files.heldOpen.insert("C:\\W\\a.doc");
    EXPECT_EQ("1 1 of 1 files were not restored.", run("C:\\W\\a.doc"));
    files.heldOpen.clear();
    EXPECT_EQ("0 All 2 files were restored.", run("C:\\W\\"));
    // A file source that is gone is restored as the file it was: no folder
    // at its place, no other file of the backup brought along.
    SaveSelection(install, Selection({"C:\\W\\Sub\\a.doc"}, kDest, "1000000000"), files);
    EXPECT_EQ("0 All 1 files were restored.", run("C:\\W\\Sub\\a.doc"));
    EXPECT_FALSE(files.entries.at("C:\\W\\Sub\\a.doc").isFolder);
    EXPECT_FALSE(files.Facts("C:\\W\\Sub\\a.doc\\Sub"));
    EXPECT_EQ(5u, files.entries.at("C:\\W\\Sub\\b.doc").size);
    EXPECT_EQ(4u, files.entries.at("C:\\W\\Sub\\b (restored 2026-12-08).doc").size);

    const std::string reports = profile + kSep + "Corvane Backup" + kSep + "reports" + kSep;
    EXPECT_EQ("1 of 1 files were not restored.\r\nC:\\W\\a.doc\tin use\r\n",
              files.bytes.at(reports + "restore 2026-12-08 10-00-00.txt"));
    EXPECT_EQ("All 2 files were restored.\r\n",
              files.bytes.at(reports + "restore 2026-12-08 10-00-00 (2).txt"));
    // Even listed to be shown, a restore's report is not shown at log-on.
    files.Replace(profile + kSep + "Corvane Backup" + kSep + "reports to show",
                  "restore 2026-12-08 10-00-00.txt\r\n");
    EXPECT_TRUE(companions::ReportsToShow(profile, files).empty());
}

// In UTF-8 a PATH of any alphabet, its folder (saved in ANSI) written in
// another letter case, brings its file back, and the report, UTF-8, says so
// with a byte-order mark.
TEST(QuietRestore, PathsOfEveryAlphabet)
{
    const Utf8Paths utf8;
    const InstallDirectory install(P("/install"));
    const std::string profile = P("/profile");
    FakeFiles files;
    files.MakeFolders(profile);
    // The drive stands, the source folder is gone.
    files.MakeFolders("C:\\");
    SaveSelection(install, Selection({platform::AnsiFromPath("C:\\Café")}, kDest, "1000000000"),
                  files);
    const std::tm start = LocalTime(2026, 12, 8, 10, 0, 0);
    for (const std::string& name : kWorldNames)
    {
        files.AddFile(kDest + "\\" + name, 100, false, name.size());
        const auto outcome = restore::RunQuietRestore(install, {"C:\\CAFÉ\\" + name, {}},
                                                      {files, start, profile, {}});
        EXPECT_EQ("0 All 1 files were restored.",
                  std::to_string(outcome.status) + " " + outcome.line);
        EXPECT_EQ(name.size(), files.entries.at("C:\\Café\\" + name).size);
    }
    EXPECT_EQ(std::string(companions::kUtf8Mark) + "All 1 files were restored.\r\n",
              files.bytes.at(profile + kSep + "Corvane Backup" + kSep + "reports" + kSep +
                             "restore 2026-12-08 10-00-00.txt"));
}
