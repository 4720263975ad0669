#include "companions/agent_start.h"
#include "companions/report.h"
#include "store/store_file.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace
{

using companions::ShellStart;

// Each try's answer from the shell and, when it took the start, whether the
// copy then runs; the tries made and the reason reported ("" for none).
struct Case
{
    std::vector<ShellStart> shell;
    std::vector<bool> runs;
    std::size_t tries;
    std::string reason;
};

TEST(AgentStart, TriesTwiceThenKeepsAReport)
{
    const std::string neverRan = "The copy that the desktop's shell started did not begin to run.";
    const std::vector<Case> cases = {
        {{ShellStart::Taken}, {true}, 1, ""},
        {{ShellStart::NoAnswer, ShellStart::Taken}, {true}, 2, ""},
        {{ShellStart::NoAnswer, ShellStart::NoAnswer},
         {},
         2,
         "The desktop's shell did not answer."},
        {{ShellStart::NoAnswer, ShellStart::Refused},
         {},
         2,
         "The desktop's shell did not start it."},
        {{ShellStart::Taken, ShellStart::Taken}, {false, false}, 2, neverRan},
    };
    for (const Case& c : cases)
    {
        std::size_t tries = 0, waits = 0;
        std::vector<std::string> reports;
        const bool runs = companions::HandAgentOver({
            [&] { return c.shell.at(tries++); },
            [&] { return c.runs.at(waits++); },
            [&](const std::string& reason) { reports.push_back(reason); },
        });
        EXPECT_EQ(c.tries, tries) << c.reason;
        EXPECT_EQ(c.reason.empty(), runs) << c.reason;
        EXPECT_EQ(c.reason.empty() ? std::vector<std::string>{} : std::vector{c.reason}, reports);
    }
}

// The report is shown at the next log-on, with its own text.
TEST(AgentStart, KeepsTheReportForTheNextLogOn)
{
    const Install profile;
    companions::ReportPublisher(LocalTime(2026, 1, 2, 3, 4, 5), "", profile.Path())
        .Notice(companions::AgentStartNotice("Why."));
    const std::vector<std::string> toShow = companions::ReportsToShow(profile.Path());
    ASSERT_EQ(1u, toShow.size());
    EXPECT_EQ("The automatic backups could not start now. They begin at your next log-on.\nWhy.\n",
              store::ReadIfPresent(toShow[0]));
}

} // namespace
