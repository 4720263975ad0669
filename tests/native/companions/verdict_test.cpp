#include "companions/expected_files.h"
#include "companions/no_copy_reason.h"
#include "companions/run_progress.h"
#include "companions/verdict.h"
#include "tests/native/support/disk_backup.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>

namespace
{

using namespace std::chrono_literals;

// The verdict on a run that is over.
companions::Verdict Judge(const CopyPlan& plan)
{
    return companions::RunProgress(companions::ListExpectedFiles(plan, platform::LocalFiles()), {},
                                   platform::LocalFiles())
        .Finish(false, plan.destination);
}

} // namespace

// Every way a copy can fall short, each named once; a copy one second older
// is as good as its source on a clock that counts in two seconds. A source
// that is not there is one file in both numbers.
TEST(Verdict, NamesEachFileNotBackedUpWithItsReason)
{
    Backup backup;
    // With two sources, each copies into the mirror of its path.
#ifdef _WIN32
    const std::string own = backup.source.Path().erase(1, 1) + kSep;
#else
    const std::string own = "other" + backup.source.Path() + kSep;
#endif
    backup.Copied("good.txt", 0s, 3, own);
    backup.Copied("fat clock.txt", 1s, 3, own);
    backup.Copied("old.txt", 10s, 3, own);
    backup.Copied("short.txt", 0s, 2, own);
    backup.Make(backup.source, "sub" + kSep + "never.txt");
    const std::string gone = backup.source.PathOf("gone"), source = backup.source.Path() + kSep;
    EXPECT_EQ("4 of 6 files were not backed up.\n" + source + "old.txt\tolder than the source\n" +
                  source + "short.txt\tsize differs\n" + source + "sub" + kSep +
                  "never.txt\tmissing\n" + gone + "\tsource not found\n",
              companions::ReportText(Judge(backup.Plan("1000000000", {gone}))));
    EXPECT_EQ("All 0 files were backed up.\n",
              companions::ReportText(Judge(Backup().Plan("1000000000"))));

    // A copy path that no file system can name is too long, never a crash.
    const companions::Verdict lost =
        Judge(PlanBackup(Selection({backup.source.Path()},
                                   backup.destination.PathOf(std::string(300, 'd')), "1000000000"),
                         platform::LocalFiles()));
    EXPECT_EQ(5u, lost.notBackedUp.size());
    for (const companions::NotBackedUp& file : lost.notBackedUp)
        EXPECT_EQ(companions::Shortfall::PathTooLong, file.reason) << file.sourcePath;
}

// Where a copy is missing the reason says why, when the disk can tell; the
// agent's own copies take paths of any length. Paths count as Windows
// counts them, in UTF-16 units.
TEST(Verdict, SaysWhyACopyIsMissing)
{
    FakeFiles files;
    files.busy.insert("C:\\W\\held.doc");
    files.freeSpace = 10;
    companions::NoCopyReasons xcopy("E:\\B", true, files), agent("E:\\B", false, files);
    // Just as long as xcopy writes.
    const std::string longest = "E:\\B\\" + std::string(254, 'x');
    const std::tuple<std::string, std::string, std::uint64_t, const char*, const char*> cases[] = {
        {"C:\\W\\a.doc", "E:\\B\\a.doc", 5, "missing", "missing"},
        {"C:\\W\\held.doc", "E:\\B\\held.doc", 5, "in use by another program",
         "in use by another program"},
        {"C:\\W\\big.doc", "E:\\B\\big.doc", 11, "backup disk full", "backup disk full"},
        {"C:\\W\\x", longest, 5, "missing", "missing"},
        {"C:\\W\\y", longest + "y", 5, "path too long", "missing"},
    };
    for (const auto& [source, copy, size, byXcopy, byAgent] : cases)
    {
        const companions::ExpectedFile file{source, copy, size};
        EXPECT_STREQ(byXcopy, companions::ReasonText(xcopy.Of(file))) << source;
        EXPECT_STREQ(byAgent, companions::ReasonText(agent.Of(file))) << source;
    }
    EXPECT_EQ(3u, platform::Utf16Length("\xF0\x9F\x98\x80\xC3\xA9", platform::kUtf8CodePage));
}

// FAT's clock counts in two seconds, rounded either way.
TEST(Verdict, TimesTwoSecondsApartAreTheSame)
{
    const std::pair<platform::FileTime, bool> apart[] = {
        {0s, true}, {2s, true}, {2s + platform::FileTime(1), false}, {10s, false}};
    const platform::FileTime time = 1000s;
    for (const auto& [distance, same] : apart)
    {
        EXPECT_EQ(same, companions::SameTime(time, time + distance)) << distance.count();
        EXPECT_EQ(same, companions::SameTime(time + distance, time)) << distance.count();
    }
}
