#include "companions/versions.h"
#include "platform/path_text.h"
#include "platform/text_case.h"
#include "platform/unfinished_copy.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/utf8_paths.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace
{

using companions::VersionedCopy;

struct Versions : testing::Test
{
    FakeFiles files;
    const std::string dest = P("/b");
    const std::string copy = P("/b/C/docs/report.doc");
    const std::string folder = P("/b/Corvane Backup versions/C/docs");

    std::vector<std::int64_t> VersionTimes()
    {
        std::vector<std::int64_t> times;
        for (const companions::Version& version : companions::VersionsOf(dest, copy, files))
            times.push_back(
                std::chrono::duration_cast<std::chrono::seconds>(version.lastWrite).count());
        return times;
    }
};

// A time at noon on the local clock, whatever the zone and the platform's
// epoch: a day or two away, an hour of daylight saving time keeps the date.
std::int64_t Noon()
{
    const std::int64_t second = 13'400'000'000;
    const std::tm local = platform::LocalTimeOf(std::chrono::seconds(second));
    return second + (12 - local.tm_hour) * 3600 - local.tm_min * 60 - local.tm_sec;
}

constexpr std::int64_t kDay = 86400;

} // namespace

// A tag goes before the extension; a leading dot starts no extension. A
// version's name, its copy's name tagged with its time, reads back as that
// name.
TEST(VersionNames, CarryTheTagBeforeTheExtensionAndReadBack)
{
    const std::string stamp = "2026-12-07 09-30-05";
    const std::vector<std::pair<std::string, std::string>> versions = {
        {"report.doc", "report (2026-12-07 09-30-05).doc"},
        {"README", "README (2026-12-07 09-30-05)"},
        {"site.tar.gz", "site.tar (2026-12-07 09-30-05).gz"},
        {".profile", ".profile (2026-12-07 09-30-05)"},
        {".config.json", ".config (2026-12-07 09-30-05).json"},
        {"plan (2026-01-02 03-04-05).txt", "plan (2026-01-02 03-04-05) (2026-12-07 09-30-05).txt"},
    };
    for (const auto& [name, version] : versions)
    {
        EXPECT_EQ(companions::NameWithTag(name, stamp), version);
        EXPECT_EQ(companions::CopyNameOfVersion(version), name);
    }
    EXPECT_EQ(companions::NameWithTag("report.doc", "restored 2026-12-07", 2),
              "report (restored 2026-12-07) (2).doc");
    EXPECT_EQ(companions::CopyNameOfVersion("report (2026-12-07 09-30-05) (12).doc"), "report.doc");
    EXPECT_EQ(companions::CopyNameOfVersion("README (2026-12-07 09-30-05) (2)"), "README");
    // Names no version has.
    for (const char* name :
         {"report.doc", "report (2026-12-07 09-30-05) (1).doc", "report (2026-12-07 09-30-5).doc",
          "site (2026-12-07 09-30-05).tar.gz", "site.tar (2026-12-07 09-30-05)",
          "report (2026-12-07 09-30-05)x.doc", "report (restored 2026-12-07).doc"})
        EXPECT_EQ(companions::CopyNameOfVersion(name), "") << name;
}

TEST(VersionNames, MirrorTheCopysFoldersBelowTheVersionsFolder)
{
    EXPECT_EQ(companions::VersionFolderOf(P("/b"), P("/b/C/docs/report.doc")),
              P("/b/Corvane Backup versions/C/docs"));
    EXPECT_EQ(companions::VersionFolderOf(P("/b/"), P("/b/report.doc")),
              P("/b/Corvane Backup versions"));
    EXPECT_EQ(companions::VersionFolderOf(P("/b"), P("/b/report.doc")),
              P("/b/Corvane Backup versions"));
}

// The copy that stood there becomes a version; a second of the same time gets
// " (2)"; a missing copy is simply made, and a folder in a copy's place has
// no version to keep.
TEST_F(Versions, ACopyReplacedIsKeptAsItsNewestVersion)
{
    files.AddFile(P("/u/report.doc"), 300);
    files.AddFile(copy, 100);
    const std::string first = companions::NextVersionPath(dest, copy, files);
    EXPECT_EQ(first.rfind(folder + P("/report ("), 0), 0u) << first;
    files.AddFile(first, 100);
    EXPECT_EQ(companions::NextVersionPath(dest, copy, files),
              first.substr(0, first.size() - 4) + " (2).doc");
    files.Remove(first);

    EXPECT_EQ(companions::CopyKeepingVersion(P("/u/report.doc"), dest, copy, files),
              VersionedCopy::Copied);
    EXPECT_EQ(files.entries[copy].lastWrite, std::chrono::seconds(300));
    EXPECT_EQ(VersionTimes(), (std::vector<std::int64_t>{100}));
    EXPECT_EQ(companions::VersionsOf(dest, copy, files)[0].path, first);

    const std::string other = P("/b/C/docs/new.doc");
    EXPECT_EQ(companions::CopyKeepingVersion(P("/u/report.doc"), dest, other, files),
              VersionedCopy::Copied);
    EXPECT_EQ(companions::VersionsOf(dest, other, files).size(), 0u);
    files.AddFolder(P("/b/C/docs/sub.doc"), false);
    EXPECT_EQ(companions::NextVersionPath(dest, P("/b/C/docs/sub.doc"), files), "");
}

// A destination that cannot keep the old copy, a copy held open, or a link
// planted below the destination (for the copy or for its old one) leaves the
// copy as it was and deletes nothing.
TEST_F(Versions, ACopyThatCannotBeKeptIsNotReplaced)
{
    files.AddFile(P("/u/report.doc"), 300);
    files.AddFile(copy, 100);
    files.refusesToKeep = true;
    EXPECT_EQ(companions::CopyKeepingVersion(P("/u/report.doc"), dest, copy, files),
              VersionedCopy::NotKept);
    files.refusesToKeep = false;
    files.heldOpen.insert(copy);
    EXPECT_EQ(companions::CopyKeepingVersion(P("/u/report.doc"), dest, copy, files),
              VersionedCopy::Failed);
    files.busy.insert(P("/u/report.doc"));
    EXPECT_EQ(companions::CopyKeepingVersion(P("/u/report.doc"), dest, copy, files),
              VersionedCopy::SourceBusy);
    files = FakeFiles();
    files.AddFile(P("/u/report.doc"), 300);
    files.AddFolderLink(P("/b/C/new"));
    files.AddFolderLink(P("/b/Corvane Backup versions"));
    files.AddFile(copy, 100);
    EXPECT_EQ(
        companions::CopyKeepingVersion(P("/u/report.doc"), dest, P("/b/C/new/report.doc"), files),
        VersionedCopy::Failed);
    EXPECT_EQ(companions::CopyKeepingVersion(P("/u/report.doc"), dest, copy, files),
              VersionedCopy::NotKept);
    EXPECT_TRUE(files.copies.empty());
    EXPECT_EQ(files.entries[copy].lastWrite, std::chrono::seconds(100));
    EXPECT_EQ(VersionTimes(), (std::vector<std::int64_t>{}));
}

// A copy caught between the two renames of its swap is put back from its
// version before anything else, even when its file cannot be copied now.
TEST_F(Versions, ACopyLostInItsSwapIsPutBackFirst)
{
    files.AddFile(P("/u/report.doc"), 300);
    files.busy.insert(P("/u/report.doc"));
    files.AddFile(companions::FreeVersionPath(dest, copy, std::chrono::seconds(100), files), 100);
    files.AddFile(platform::UnfinishedCopyOf(copy), 300);
    EXPECT_EQ(companions::CopyKeepingVersion(P("/u/report.doc"), dest, copy, files),
              VersionedCopy::SourceBusy);
    EXPECT_EQ(files.entries.at(copy).lastWrite, std::chrono::seconds(100));
    EXPECT_EQ(VersionTimes(), (std::vector<std::int64_t>{}));
    EXPECT_FALSE(files.Facts(platform::UnfinishedCopyOf(copy)));
}

// A burst of fifty saves in the last hour keeps its ten newest and never
// pushes out the days before; the newest older than a month stays too. The
// names run against the times: the times decide.
TEST_F(Versions, RetentionKeepsTheNewestTenAndTheDaysBefore)
{
    const std::int64_t noon = Noon();
    std::vector<std::int64_t> times;
    for (int minute = 0; minute < 50; ++minute)
        times.push_back(noon - 3600 + minute * 60);
    for (const std::int64_t age : {kDay, kDay + 600, 2 * kDay, 9 * kDay, 40 * kDay, 50 * kDay})
        times.push_back(noon - age);
    int number = 2;
    for (auto time = times.rbegin(); time != times.rend(); ++time)
        files.AddFile(folder + P("/report (2026-01-01 00-00-00) (") + std::to_string(number++) +
                          ").doc",
                      *time);
    files.AddFile(folder + P("/other (2026-01-01 00-00-00).doc"), noon - 50 * kDay);

    companions::ApplyRetention(dest, copy, platform::LocalTimeOf(std::chrono::seconds(noon)),
                               files);

    std::vector<std::int64_t> expected;
    for (int minute = 49; minute >= 40; --minute)
        expected.push_back(noon - 3600 + minute * 60);
    for (const std::int64_t age : {kDay, 2 * kDay, 9 * kDay, 40 * kDay})
        expected.push_back(noon - age);
    EXPECT_EQ(VersionTimes(), expected);
    EXPECT_TRUE(files.IsFile(folder + P("/other (2026-01-01 00-00-00).doc")));
}

TEST_F(Versions, AreCountedByTheNameOfTheirCopy)
{
    for (const char* name :
         {"/report (2026-01-01 00-00-00).doc", "/report (2026-01-01 00-00-00) (2).doc",
          "/other (2026-01-02 00-00-00).txt", "/notes.txt"})
        files.AddFile(folder + P(name), 100);
    files.AddFolder(folder + P("/sub (2026-01-01 00-00-00)"), false);
    std::vector<std::pair<std::string, int>> counts;
    for (const companions::VersionCount& count : companions::CountVersions(folder, files))
        counts.emplace_back(count.name, count.count);
    EXPECT_EQ(counts,
              (std::vector<std::pair<std::string, int>>{{"other.txt", 1}, {"report.doc", 2}}));
}

// In UTF-8 a copy of any alphabet keeps its versions under its own name, and
// a version named in another letter case is still its copy's.
TEST_F(Versions, OfNamesInEveryAlphabetAreKeptFoundAndCounted)
{
    const Utf8Paths utf8;
    std::vector<std::pair<std::string, int>> expected, counts;
    for (const std::string& name : kWorldNames)
    {
        const std::string copyOf = P("/b/C/docs/") + name;
        files.AddFile(P("/u/") + name, 300);
        files.AddFile(copyOf, 100);
        ASSERT_EQ(companions::CopyKeepingVersion(P("/u/") + name, dest, copyOf, files),
                  VersionedCopy::Copied);
        std::string version(
            platform::LastComponent(companions::VersionsOf(dest, copyOf, files).at(0).path));
        EXPECT_EQ(companions::CopyNameOfVersion(version), name);
        version.replace(version.size() - 4, 4, " (2).doc");
        files.AddFile(folder + kSep + platform::UpperCasePath(version), 50);
        EXPECT_EQ(companions::VersionsOf(dest, copyOf, files).size(), 2u) << name;
        expected.emplace_back(platform::UpperCasePath(name), 2);
    }
    for (const companions::VersionCount& count : companions::CountVersions(folder, files))
        counts.emplace_back(platform::UpperCasePath(count.name), count.count);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(counts, expected);
}
