#include "agent/agent_start.h"
#include "companions/report.h"
#include "store/store_file.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/local_time.h"
#include "tests/native/support/paths.h"

#include <gtest/gtest.h>

// The report is shown at the next log-on, with its own text.
TEST(AgentStart, KeepsTheReportForTheNextLogOn)
{
    FakeFiles files;
    const std::string profile = P("/profile");
    files.MakeFolders(profile);
    companions::ReportPublisher(files, LocalTime(2026, 1, 2, 3, 4, 5), "", profile)
        .Notice(agent::AgentStartNotice("Why."));
    const std::vector<std::string> toShow = companions::ReportsToShow(profile, files);
    ASSERT_EQ(1u, toShow.size());
    EXPECT_EQ("The automatic backups could not start now. They begin at your next log-on.\nWhy.\n",
              store::ReadIfPresent(toShow[0], files));
}
