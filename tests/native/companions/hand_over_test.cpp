#include "companions/hand_over.h"

#include <gtest/gtest.h>
#include <vector>

using companions::ShellStart;

TEST(HandOver, TriesTwiceThenSaysWhy)
{
    // Each try's answer from the shell and, when it took the start, whether
    // the copy then runs; the tries made and the reason ("" when it runs).
    struct Case
    {
        std::vector<ShellStart> shell;
        std::vector<bool> runs;
        std::size_t tries;
        std::string reason;
    };
    const Case cases[] = {
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
        {{ShellStart::Taken, ShellStart::Taken},
         {false, false},
         2,
         "The copy that the desktop's shell started did not begin to run."},
    };
    for (const Case& c : cases)
    {
        std::size_t tries = 0, waits = 0;
        const companions::HandOverOutcome outcome = companions::HandOverWithRetry({
            [&] { return c.shell.at(tries++); },
            [&] { return c.runs.at(waits++); },
        });
        EXPECT_EQ(c.tries, tries) << c.reason;
        EXPECT_EQ(c.reason.empty(), outcome.copyRuns) << c.reason;
        EXPECT_EQ(c.reason, outcome.reason);
    }
}
