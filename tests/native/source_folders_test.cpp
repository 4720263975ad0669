#include "plan/backup_script.h"
#include "plan/path_text.h"
#include "platform/file_system.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

namespace
{

const std::string kSep(1, platform::kPathSeparator);

} // namespace

// Each source copies into a folder of its own, named as the entry names its
// last folder; a name taken by an earlier entry, or by the system folder's
// copy, gets the smallest free " (n)". Files get their folder made first.
TEST(SourceFolders, EverySourceHasAFolderOfItsOwn)
{
    const std::vector<std::string> sources = {
        "C:\\Docs",         "D:\\Work\\Docs\\", "D:\\",          "C:\\Notes\\a.txt",
        "C:\\Notes\\b.txt", "E:\\systemstate",  "c:\\old\\DOCS", "C:\\top.txt"};
    const CopyPlan plan = PlanBackup(Selection(sources, "E:\\Backup", "1000000000"),
                                     [](const std::string& path) { return path.back() == 't'; });
    const auto line = [](const std::string& source, const std::string& folder) {
        const std::string into = "E:\\Backup" + kSep + folder;
        return "xcopy /d /y /s /C /I /h \"" + source + "\" \"" + into + "\"\nattrib -h \"" + into +
               "\"\n";
    };
    EXPECT_EQ("md \"E:\\Backup" + kSep + "Notes\" 2>nul\n" + "md \"E:\\Backup" + kSep +
                  "Notes (2)\" 2>nul\n" + "md \"E:\\Backup" + kSep + "C\" 2>nul\n" +
                  line(sources[0], "Docs") + line(sources[1], "Docs (2)") + line(sources[2], "D") +
                  line(sources[3], "Notes") + line(sources[4], "Notes (2)") +
                  line(sources[5], "systemstate (2)") + line(sources[6], "DOCS (3)") +
                  line(sources[7], "C") + "erase \"backup.bat\"",
              ComposeBackupScript(plan, "backup.bat"));
}

// In code page 932 the bytes 83 5C are one character whose second byte is a
// backslash's: "C:\\" followed by them is one folder, and ends in no separator.
TEST(PathText, SeparatorsAreFoundByCharacter)
{
#ifndef _WIN32
    GTEST_SKIP() << "double-byte code pages are Windows' own";
#endif
    const std::string folder = "C:\\\x83\x5C";
    EXPECT_FALSE(EndsWithSeparator(folder, 932));
    EXPECT_EQ(2u, FindLastSeparator(folder + "x", 932));
    EXPECT_TRUE(EndsWithSeparator(folder, 1252));
}
