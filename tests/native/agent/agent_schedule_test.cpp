#include "agent/agent_schedule.h"
#include "agent/copy_on_save.h"
#include "tests/native/support/saved_documents.h"

#include <gtest/gtest.h>

using AgentSchedule = SavedDocuments;

// A burst of saves makes one copy once two seconds have been quiet; a change
// in the install directory means the store is to be read again.
TEST_F(AgentSchedule, WaitsForQuietBeforeActing)
{
    agent::AgentSchedule schedule(install.Path(), files);
    schedule.Follow(&*saved);
    for (const agent::Millis at : {0, 500, 1500})
        schedule.Changed(P("/u/docs/a.txt"), at);
    schedule.Changed(P("/u/docs/c.exe"), 1500);
    EXPECT_EQ(3500, schedule.NextWake());
    EXPECT_TRUE(schedule.TakeDue(3499).files.empty());
    EXPECT_EQ(std::vector<std::string>{P("/u/docs/a.txt")}, schedule.TakeDue(3500).files);
    EXPECT_EQ(std::nullopt, schedule.NextWake());

    schedule.Changed(install.PathOf(kFilesToBackupFile), 4000);
    EXPECT_FALSE(schedule.TakeDue(5999).store);
    EXPECT_TRUE(schedule.TakeDue(6000).store);
}

// A file kept open for writing is tried again at growing intervals and given
// up after ten minutes; a write meanwhile starts it afresh.
TEST_F(AgentSchedule, TriesABusyFileAgainThenGivesUp)
{
    agent::AgentSchedule schedule(install.Path(), files);
    schedule.Follow(&*saved);
    const std::string file = P("/u/docs/a.txt");
    agent::Millis now = 0;
    for (const agent::Millis wait : {2000, 4000, 8000, 16000, 32000, 60000, 60000})
    {
        ASSERT_TRUE(schedule.Busy(file, now));
        EXPECT_EQ(now + wait, schedule.NextWake());
        now = *schedule.NextWake();
        schedule.TakeDue(now);
    }
    schedule.Changed(file, now);
    schedule.TakeDue(now + 2000);
    EXPECT_TRUE(schedule.Busy(file, now + 2000 + agent::AgentSchedule::kBusyLimit - 1));
    EXPECT_FALSE(schedule.Busy(file, now + 2000 + 2 * agent::AgentSchedule::kBusyLimit));
}

// A changed selection is picked up: other types, other folders to watch.
TEST_F(AgentSchedule, FollowsAChangedSelection)
{
    agent::AgentSchedule schedule(install.Path(), files);
    using Watched = std::vector<agent::WatchedFolder>;
    EXPECT_EQ((Watched{{install.Path(), false, {}}}), schedule.FoldersToWatch());
    schedule.Changed(P("/u/docs/a.txt"), 0);
    EXPECT_EQ(std::nullopt, schedule.NextWake());

    Save("1000000000");
    schedule.Follow(&*saved);
    // The install directory lies in no other folder; the refused source is
    // not watched.
    EXPECT_EQ((Watched{{install.Path(), false, {}}, {P("/u/docs"), true, {}}}),
              schedule.FoldersToWatch());
    schedule.Changed(P("/u/docs/c.exe"), 0);
    EXPECT_EQ(std::vector<std::string>{P("/u/docs/c.exe")}, schedule.TakeDue(2000).files);
    EXPECT_EQ(agent::SavedFileCopy::Copied,
              agent::CopySavedFile(*saved, P("/u/docs/c.exe"), files));
}

// A file source's folder is watched without its subfolders, for the names of
// its file sources only, unless a folder source covers it; a name that
// appears in a folder source may be a folder moved in, one in a file
// source's folder is not.
TEST_F(AgentSchedule, WatchesAFileSourcesFolderForItsNameOnly)
{
    for (const char* file : {"/u/notes.txt", "/u/more.txt", "/u/docs/sub/x.txt"})
        files.AddFile(P(file), 100);
    SaveSelection(
        directory,
        Selection({P("/u/notes.txt"), P("/u/docs/sub/x.txt"), P("/u/docs"), P("/u/more.txt")}, dest,
                  "0001000000"),
        files);
    saved = companions::ReadSavedPlan(directory, files).saved;
    agent::AgentSchedule schedule(install.Path(), files);
    schedule.Follow(&*saved);
    EXPECT_EQ((std::vector<agent::WatchedFolder>{{install.Path(), false, {}},
                                                 {P("/u/"), false, {"notes.txt", "more.txt"}},
                                                 {P("/u/docs"), true, {}}}),
              schedule.FoldersToWatch());
    schedule.Appeared(P("/u/docs/Moved In"), 0);
    schedule.Appeared(P("/u/Other"), 0);
    EXPECT_EQ(std::vector<std::string>{P("/u/docs/Moved In")}, schedule.TakeDue(2000).files);
}
