#include "flows/agent_schedule.h"
#include "flows/report.h"
#include "flows/save_copy.h"
#include "tests/native/agent_support.h"

#include <gtest/gtest.h>

namespace
{

using flows::AgentSchedule;
using flows::SavedFileCopy;

// Pictures and Documents from three sources: two folders and one whose name
// no batch can carry. The destination lies inside the first source, as a
// hand-edited store may have it, and the install directory is the second.
struct CopyOnSave : testing::Test
{
    Install install;
    InstallDirectory directory{install.Path()};
    FakeFiles files;
    const std::string dest = P("/u/docs/backup");

    CopyOnSave()
    {
        files.AddFile(P("/u/docs/a.txt"), 100);
        files.AddFile(P("/u/docs/sub/b.JPG"), 100);
        files.AddFile(P("/u/docs/c.exe"), 100);
        files.AddFile(P("/u/docs/h.txt"), 100, true);
        files.AddFolder(P("/u/docs/hid"), true);
        files.AddFile(P("/u/docs/hid/d.txt"), 100);
        files.AddFile(P("/u/docs/backup/e.txt"), 100);
        files.AddFile(install.PathOf("notes.txt"), 100);
        files.AddFile(P("/u/bad\"name/f.txt"), 100);
        Save("0001001000");
    }

    void Save(const std::string& ticks)
    {
        SaveSelection(directory,
                      Selection({P("/u/docs"), install.Path(), P("/u/bad\"name")}, dest, ticks));
        saved = flows::ReadSavedPlan(directory, [this](const std::string& path) {
            const auto facts = files.Facts(path);
            return facts && !facts->isFolder;
        });
    }

    std::optional<flows::SavedPlan> saved;
};

} // namespace

// A saved file goes where backup.bat puts it, once its type and the hidden
// rule say so; nothing comes from the destination, the install directory or
// a source the batch could not carry.
TEST_F(CopyOnSave, CopiesWhatThePlanCopiesToItsPlace)
{
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {P("/u/docs/a.txt"), {dest + P("/docs/a.txt")}},
        {P("/u/docs/sub/b.JPG"), {dest + P("/docs/sub/b.JPG")}},
        {P("/u/docs/c.exe"), {}},
        {P("/u/docs/h.txt"), {}},
        {P("/u/docs/hid/d.txt"), {}},
        {P("/u/docs/backup/e.txt"), {}},
        {install.PathOf("notes.txt"), {}},
        {P("/u/bad\"name/f.txt"), {}},
    };
    for (const auto& [path, copies] : cases)
    {
        files.copies.clear();
        EXPECT_EQ(copies.empty() ? SavedFileCopy::NotCopied : SavedFileCopy::Copied,
                  flows::CopySavedFile(*saved, path, files))
            << path;
        std::vector<std::string> made;
        for (const auto& [from, to] : files.copies)
            made.push_back(to);
        EXPECT_EQ(copies, made) << path;
        // Cleared as xcopy /M clears it, and only for a file it copied.
        EXPECT_EQ(copies.empty(), files.entries.at(path).archive) << path;
    }
}

// Only a copy that is missing, older by more than FAT's 2 seconds, or of
// another size is replaced; a file still open for writing is left alone.
TEST_F(CopyOnSave, CopiesOnlyWhenTheCopyIsBehindAndTheFileIsClosed)
{
    // The copy's time and size against the source's (second 100, 1 byte).
    const std::tuple<std::int64_t, std::uint64_t, SavedFileCopy> cases[] = {
        {100, 1, SavedFileCopy::UpToDate}, {99, 1, SavedFileCopy::UpToDate},
        {97, 1, SavedFileCopy::Copied},    {100, 2, SavedFileCopy::Copied},
        {200, 1, SavedFileCopy::UpToDate},
    };
    const std::string copy = dest + P("/docs/a.txt");
    for (const auto& [second, size, outcome] : cases)
    {
        files.AddFile(copy, second, false, size);
        EXPECT_EQ(outcome, flows::CopySavedFile(*saved, P("/u/docs/a.txt"), files))
            << second << " " << size;
    }
    files.entries.erase(copy);
    files.busy.insert(P("/u/docs/a.txt"));
    EXPECT_EQ(SavedFileCopy::Busy, flows::CopySavedFile(*saved, P("/u/docs/a.txt"), files));
    EXPECT_FALSE(files.Facts(copy));
}

// A burst of saves makes one copy once two seconds have been quiet; a change
// in the install directory means the store is to be read again.
TEST_F(CopyOnSave, WaitsForQuietBeforeActing)
{
    AgentSchedule schedule(install.Path());
    schedule.Follow(&*saved);
    for (const flows::Millis at : {0, 500, 1500})
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
TEST_F(CopyOnSave, TriesABusyFileAgainThenGivesUp)
{
    AgentSchedule schedule(install.Path());
    schedule.Follow(&*saved);
    const std::string file = P("/u/docs/a.txt");
    flows::Millis now = 0;
    for (const flows::Millis wait : {2000, 4000, 8000, 16000, 32000, 60000, 60000})
    {
        ASSERT_TRUE(schedule.Busy(file, now));
        EXPECT_EQ(now + wait, schedule.NextWake());
        now = *schedule.NextWake();
        schedule.TakeDue(now);
    }
    schedule.Changed(file, now);
    schedule.TakeDue(now + 2000);
    EXPECT_TRUE(schedule.Busy(file, now + 2000 + AgentSchedule::kBusyLimit - 1));
    EXPECT_FALSE(schedule.Busy(file, now + 2000 + 2 * AgentSchedule::kBusyLimit));
}

// A changed selection is picked up: other types, other folders to watch.
TEST_F(CopyOnSave, FollowsAChangedSelection)
{
    AgentSchedule schedule(install.Path());
    EXPECT_EQ(std::vector<std::string>{install.Path()}, schedule.FoldersToWatch());
    schedule.Changed(P("/u/docs/a.txt"), 0);
    EXPECT_EQ(std::nullopt, schedule.NextWake());

    Save("1000000000");
    schedule.Follow(&*saved);
    // The install directory lies in no other folder; the refused source is
    // not watched.
    EXPECT_EQ((std::vector<std::string>{install.Path(), P("/u/docs")}), schedule.FoldersToWatch());
    schedule.Changed(P("/u/docs/c.exe"), 0);
    EXPECT_EQ(std::vector<std::string>{P("/u/docs/c.exe")}, schedule.TakeDue(2000).files);
    EXPECT_EQ(SavedFileCopy::Copied, flows::CopySavedFile(*saved, P("/u/docs/c.exe"), files));
}

// With the destination unplugged a saved file is not copied, and its report
// waits in the profile for the next log-on.
TEST_F(CopyOnSave, ReportsAFailedCopyForTheNextLogOn)
{
    files.entries.erase(dest + P("/e.txt"));
    files.entries.erase(dest);
    EXPECT_EQ(SavedFileCopy::Failed, flows::CopySavedFile(*saved, P("/u/docs/a.txt"), files));
    flows::ReportUncopiedFiles(*saved, {P("/u/docs/a.txt")}, files, std::tm{},
                               install.PathOf("profile"));
    const std::vector<std::string> toShow = flows::ReportsToShow(install.PathOf("profile"));
    ASSERT_EQ(1u, toShow.size());
    EXPECT_EQ("1 of 1 files were not backed up.\n" + P("/u/docs/a.txt") + "\tmissing\n",
              store::ReadIfPresent(toShow[0]));
}
