#include "flows/session_end_backup.h"
#include "tests/native/agent_support.h"
#include "tests/native/temp_folder.h"

#include <gtest/gtest.h>

namespace
{

const flows::LocalTime kStarted{2024, 5, 1, 17, 30, 5};
const std::string kReportName = "2024-05-01 17-30-05.txt";

// Documents from a folder that holds one file to copy, one already backed up
// and one still open for writing, and from a drive that is not plugged in.
struct SessionEnd : testing::Test
{
    TempFolder install;
    InstallDirectory directory{install.Path()};
    FakeFiles files;
    const std::string dest = install.PathOf("dest");
    const std::string profile = install.PathOf("profile");
    flows::Millis now = 0;

    SessionEnd()
    {
        files.AddFile(P("/u/docs/a.txt"), 100);
        files.AddFile(P("/u/docs/b.txt"), 100);
        files.AddFile(P("/u/docs/c.txt"), 100);
        files.AddFile(P("/u/docs/d.exe"), 100);
        files.busy.insert(P("/u/docs/c.txt"));
        files.AddFile(JoinPath(dest, P("docs/b.txt")), 100);
    }

    flows::RunReport Run(const std::string& ticks, flows::Millis deadline)
    {
        SaveSelection(directory, Selection({P("/u/docs"), P("/e/gone")}, dest, ticks));
        const auto saved =
            flows::ReadSavedPlan(directory, [](const std::string&) { return false; });
        return flows::BackUpAtSessionEnd(
            *saved, {files, [this] { return ++now; }, deadline, "", kStarted, profile});
    }

    std::string ReportIn(const std::string& folder, const std::string& name = kReportName) const
    {
        return install.Read(JoinPath(folder, name));
    }
};

} // namespace

// The saved selection is backed up through its plan and the report names, in
// both places, what is not backed up; the bad news waits for the next log-on.
TEST_F(SessionEnd, BacksUpThePlanAndReportsWhatIsMissing)
{
    Run("0000001000", 1000);
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{
                  {P("/u/docs/a.txt"), JoinPath(dest, P("docs/a.txt"))}}),
              files.copies);
    const std::string report = "2 of 4 files were not backed up.\r\n" + P("/e/gone") +
                               "\tsource not found\r\n" + P("/u/docs/c.txt") + "\tmissing\r\n";
    EXPECT_EQ(report, ReportIn(P("dest/Corvane Backup reports")));
    EXPECT_EQ(report, ReportIn(P("profile/reports")));
    EXPECT_EQ(std::vector<std::string>{JoinPath(profile, P("reports/") + kReportName)},
              flows::ReportsToShow(profile));
}

// At the cap the run stops; what it did not reach is reported as it stands,
// under a name of its own beside the earlier report of the same second.
TEST_F(SessionEnd, StopsAtTheCap)
{
    Run("0000001000", 1000);
    files.copies.clear();
    files.entries.erase(JoinPath(dest, P("docs/a.txt")));
    now = 0;
    // Four files listed, then the time is up.
    Run("0000001000", 5);
    EXPECT_TRUE(files.copies.empty());
    EXPECT_EQ("3 of 4 files were not backed up.\r\nThe backup was stopped before its end.\r\n" +
                  P("/e/gone") + "\tsource not found\r\n" + P("/u/docs/a.txt") + "\tmissing\r\n" +
                  P("/u/docs/c.txt") + "\tmissing\r\n",
              ReportIn(P("profile/reports"), "2024-05-01 17-30-05 (2).txt"));
    EXPECT_EQ(2u, flows::ReportsToShow(profile).size());
}

// With "Modified Since Last Backup" only files whose archive bit is set are
// copied, and their bit is cleared; good news is not kept to be shown.
TEST_F(SessionEnd, ModifiedOnlyCopiesAndClearsArchivedFiles)
{
    files.busy.clear();
    files.entries.at(P("/u/docs/c.txt")).archive = false;
    SaveSelection(directory, Selection({P("/u/docs")}, dest, "0000001001"));
    const auto saved = flows::ReadSavedPlan(directory, [](const std::string&) { return false; });
    const flows::RunReport report = flows::BackUpAtSessionEnd(
        *saved, {files, [this] { return ++now; }, 1000, "", kStarted, profile});
    EXPECT_FALSE(files.entries.at(P("/u/docs/a.txt")).archive);
    EXPECT_EQ("All 2 files were backed up.\r\n", ReportIn(P("dest/Corvane Backup reports")));
    EXPECT_FALSE(report.HasBadNews());
    EXPECT_TRUE(flows::ReportsToShow(profile).empty());
}
