// The daily catch-up in-process, on Windows' own calls: the look on the
// worker, the run on its own thread in background mode, the agents' mutex.
#include "agent/last_complete_backup.h"
#include "companions/backup_folder.h"
#include "desktop/agent_run_lock.h"
#include "load/agent_catch_up.h"
#include "load/agent_worker.h"
#include "platform/computer.h"
#include "tests/native/support/install.h"
#include "tests/win/wait_and_text.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>

namespace
{

constexpr agent::UtcSeconds kTwoDays = 2 * agent::CatchUpSchedule::kDay;

// A saved selection of one folder, backed up last two days ago, into this
// computer's backup folder.
struct CatchUp : testing::Test
{
    Install install, source, destination, profile;
    HWND window =
        CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    AgentWorker worker;

    CatchUp()
    {
        platform::LocalFiles().Replace(source.PathOf("a.txt"), "aaa");
        install.Write({{kSettingsFile, "1;0;0;0;0;0;0;0;0;0;"},
                       {kFilesToBackupFile, source.Path() + "\r\n"},
                       {kDataFile, destination.Path()}});
        companions::MarkAsOurs(destination.Path(), platform::ThisComputer(),
                               platform::LocalFiles());
        agent::KeepLastCompleteBackup(profile.Path(), agent::UtcNow() - kTwoDays,
                                      platform::LocalFiles());
    }
    ~CatchUp() { DestroyWindow(window); }

    // Runs the worker's replies, as the agent's loop does, until the run
    // started (`started`) or ended: whether it was complete, or nothing
    // within `millis`.
    std::optional<bool> WaitForTheRun(AgentCatchUp& catchUp, DWORD millis, bool started = false)
    {
        std::optional<bool> complete;
        WaitFor(
            [&] {
                worker.RunReplies();
                MSG message;
                if (PeekMessageA(&message, window, AgentCatchUp::kRunEnded, AgentCatchUp::kRunEnded,
                                 PM_REMOVE))
                {
                    complete = message.wParam != 0;
                    catchUp.RunEnded(*complete);
                }
                return complete.has_value() || (started && catchUp.Running());
            },
            millis);
        return complete;
    }

    std::vector<std::string> CatchUpReports() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::u8path(destination.PathOf("Corvane Backup reports"))))
        {
            const std::string name = entry.path().filename().u8string();
            if (name.size() > 13 && name.substr(name.size() - 13) == " catch-up.txt")
                names.push_back(name);
        }
        return names;
    }
};

} // namespace

// A resume finds the last complete backup two days old: the run waits while
// another session's run holds the agents' mutex, then backs the selection
// up, names its report as a catch-up's and keeps the new time.
TEST_F(CatchUp, RunsOnResumeAfterAnotherSessionsRun)
{
    AgentCatchUp catchUp(window, worker, InstallDirectory(install.Path()), profile.Path());
    catchUp.Follow(true, destination.Path(), 0);
    auto otherSession = std::make_unique<AgentRunLock>(0);
    ASSERT_TRUE(otherSession->Held());
    const agent::UtcSeconds resumed = agent::UtcNow();
    catchUp.Resumed(true);
    EXPECT_EQ(std::nullopt, WaitForTheRun(catchUp, 20000, true));
    ASSERT_TRUE(catchUp.Running());
    EXPECT_EQ(std::nullopt, WaitForTheRun(catchUp, 1000));
    otherSession.reset();
    EXPECT_EQ(true, WaitForTheRun(catchUp, 20000));
    const std::vector<std::string> reports = CatchUpReports();
    ASSERT_EQ(1u, reports.size());
    EXPECT_NE(std::string::npos, destination.Read("Corvane Backup reports\\" + reports.front())
                                     .find("All 1 files were backed up."));
    EXPECT_LE(resumed, agent::ReadLastCompleteBackup(profile.Path(), agent::UtcNow(),
                                                     platform::LocalFiles()));
}

// The session ends while the run waits: it ends without a backup, and the
// log-off backup, free to take the mutex, does the work.
TEST_F(CatchUp, StopsAtTheSessionsEnd)
{
    AgentCatchUp catchUp(window, worker, InstallDirectory(install.Path()), profile.Path());
    catchUp.Follow(true, destination.Path(), 0);
    {
        const AgentRunLock otherSession(0);
        catchUp.Resumed(true);
        EXPECT_EQ(std::nullopt, WaitForTheRun(catchUp, 20000, true));
        ASSERT_TRUE(catchUp.Running());
        catchUp.EndSession();
        EXPECT_EQ(false, WaitForTheRun(catchUp, 20000));
    }
    EXPECT_TRUE(CatchUpReports().empty());
    EXPECT_TRUE(AgentRunLock(0).Held());
}
