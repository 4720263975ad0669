#include "agent/agent_start.h"

#include <gtest/gtest.h>

// The notice is kept for the next log-on as any notice is (the store that
// cannot be read at log-off shows how); here, its own text.
TEST(AgentStart, SaysTheBackupsBeginAtTheNextLogOn)
{
    EXPECT_EQ("The automatic backups could not start now. They begin at your next log-on.\nWhy.\n",
              agent::AgentStartNotice("Why."));
}
