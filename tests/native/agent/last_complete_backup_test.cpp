#include "agent/last_complete_backup.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/paths.h"

#include <gtest/gtest.h>

namespace
{

constexpr agent::UtcSeconds kNow = 1'800'000'000;

// What the profile holds -> the time read, and what is kept afterwards.
TEST(LastCompleteBackup, ReadsTheTimeKeptAndNowWhereNoneIsSound)
{
    const struct
    {
        const char* held; // nullptr: no file
        agent::UtcSeconds read;
    } cases[] = {
        {nullptr, kNow},              // a first start
        {"1799990000\n", 1799990000}, // kept
        {"1900000000\n", kNow},       // ahead of the clock: set back since
        {"yesterday\n", kNow},        // not a time
        {"1799990000x\n", kNow},
        {"\n", kNow},
    };
    const std::string profile = P("/profile");
    const std::string kept = P("/profile/Corvane Backup/last complete backup.txt");
    for (const auto& c : cases)
    {
        FakeFiles files;
        files.MakeFolders(profile);
        const char* held = c.held ? c.held : "none";
        if (c.held)
        {
            files.AddFile(kept, 0);
            files.bytes[kept] = c.held;
        }
        EXPECT_EQ(c.read, agent::ReadLastCompleteBackup(profile, kNow, files)) << held;
        // What was read is kept: a minute later it is still the time.
        EXPECT_EQ(c.read, agent::ReadLastCompleteBackup(profile, kNow + 60, files)) << held;
    }
}

TEST(LastCompleteBackup, KeepsTheTimeForTheNextRead)
{
    FakeFiles files;
    const std::string profile = P("/profile");
    files.MakeFolders(profile);
    ASSERT_TRUE(agent::KeepLastCompleteBackup(profile, kNow - 3600, files));
    EXPECT_EQ(kNow - 3600, agent::ReadLastCompleteBackup(profile, kNow, files));
    EXPECT_FALSE(agent::KeepLastCompleteBackup("", kNow, files));
}

} // namespace
