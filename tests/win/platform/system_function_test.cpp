// A system DLL's function looked up at its first use: found in the system
// folder, or null when the DLL or the function is missing, so that each caller
// fails as the call itself fails.
#include "platform/win32/system_function.h"

#include <gtest/gtest.h>

TEST(SystemFunction, FoundWhereTheSystemHasItAndNullWhereItDoesNot)
{
    const auto processId = platform::SystemFunction<decltype(&GetCurrentProcessId)>(
        "kernel32.dll", "GetCurrentProcessId");
    ASSERT_NE(processId, nullptr);
    EXPECT_EQ(processId(), GetCurrentProcessId());
    EXPECT_EQ(platform::SystemProcedure("kernel32.dll", "NoSuchFunction"), nullptr);
    EXPECT_EQ(platform::SystemProcedure("no_such_library.dll", "GetCurrentProcessId"), nullptr);
}
