#include "companions/report.h"
#include "companions/verdict.h"
#include "tests/native/support/install.h"
#include "tests/native/support/local_time.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/symbolic_link.h"

#include <gtest/gtest.h>

// One name for both copies of the report, free in both folders; CR LF.
TEST(Report, WrittenWholeIntoTheDestinationAndTheProfile)
{
    Install destination, profile;
    const std::tm start = LocalTime(2026, 3, 4, 5, 6, 7);
    const companions::Verdict stopped{3, {{0, "C:\\a.txt", companions::Shortfall::Missing}}, true};
    const std::string own = "Corvane Backup reports" + kSep,
                      kept = "Corvane Backup" + kSep + "reports" + kSep;
    std::filesystem::create_directories(profile.PathOf(kept));
    profile.Write(kept + "2026-03-04 05-06-07.txt", "an older report");

    const auto paths = companions::ReportPublisher(platform::LocalFiles(), start,
                                                   destination.Path(), profile.Path())
                           .Final(stopped, true);
    const std::string name = "2026-03-04 05-06-07 (2).txt";
    EXPECT_EQ(
        (std::vector<std::string>{destination.PathOf(own + name), profile.PathOf(kept + name)}),
        paths);
    const std::string text =
        "The backup was stopped before it finished: 3 files checked, 1 not backed up.\r\n"
        "C:\\a.txt\tmissing\r\n";
    EXPECT_EQ(text, destination.Read(own + name));
    EXPECT_EQ(text, profile.Read(kept + name));

    companions::ReportPublisher(platform::LocalFiles(), start, destination.Path(), "")
        .Final(stopped, true);
    EXPECT_EQ(text, destination.Read(own + "2026-03-04 05-06-07.txt"));
    EXPECT_EQ(std::vector<std::string>{profile.PathOf(kept + "2026-03-04 05-06-07 (3).txt")},
              companions::ReportPublisher(platform::LocalFiles(), start, "", profile.Path())
                  .Final(stopped, true));

    // A reports folder that someone made a link to elsewhere is not written
    // through: the report stays in the profile and is kept to be shown.
    Install planted, elsewhere;
    const Link link(elsewhere.Path(), planted.PathOf("Corvane Backup reports"), true);
    if (!link)
        GTEST_SKIP() << "no symbolic link can be made here";
    EXPECT_EQ(
        std::vector<std::string>{profile.PathOf(kept + "2026-03-04 05-06-07 (4).txt")},
        companions::ReportPublisher(platform::LocalFiles(), start, planted.Path(), profile.Path())
            .Final(stopped, false));
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.Path()));
    EXPECT_EQ(1u, companions::ReportsToShow(profile.Path(), platform::LocalFiles()).size());
}
