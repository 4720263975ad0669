#include "agent/agent_schedule.h"
#include "agent/agent_start.h"
#include "agent/copy_on_save.h"
#include "companions/report.h"
#include "tests/native/agent_support.h"

#include <gtest/gtest.h>

namespace
{

using agent::AgentSchedule;
using agent::SavedFileCopy;

// Pictures and Documents from four sources, as a hand-edited store may have
// them: a folder, the install directory, one whose name no batch can carry,
// and one that holds the destination under another name.
struct CopyOnSave : testing::Test
{
    Install install;
    InstallDirectory directory{install.Path()};
    FakeFiles files;
    const std::string dest = P("/b/backup");
    // Where the first source's copies go.
    const std::string mirror = dest + P("/other/u/docs");

    CopyOnSave()
    {
        for (const char* path : {"/u/docs/a.txt", "/u/docs/sub/b.JPG", "/u/docs/c.exe",
                                 "/u/docs/hid/d.txt", "/u/bad\"name/f.txt", "/b/backup/e.txt",
                                 "/u/docs/g.txt.PART", "/u/docs/Corvane Backup versions/v.txt"})
            files.AddFile(P(path), 100);
        files.AddFile(P("/u/docs/h.txt"), 100, true);
        files.AddFolder(P("/u/docs/hid"), true);
        files.aliases[P("/m")] = P("/b");
        files.AddFile(install.PathOf("notes.txt"), 100);
        Save("0001001000");
    }

    void Save(const std::string& ticks)
    {
        SaveSelection(
            directory,
            Selection({P("/u/docs"), install.Path(), P("/u/bad\"name"), P("/m")}, dest, ticks),
            files);
        saved = companions::ReadSavedPlan(directory, files);
    }

    std::optional<companions::SavedPlan> saved;
};

} // namespace

// A saved file goes where backup.bat puts it, once its type and the hidden
// rule say so; nothing comes from the destination, the install directory, a
// source the batch could not carry, or one that holds the destination, nor
// an unfinished copy or a version.
TEST_F(CopyOnSave, CopiesWhatThePlanCopiesToItsPlace)
{
    std::vector<std::pair<std::string, companions::Shortfall>> refused;
    for (const companions::RefusedSource& source : saved->refused)
        refused.emplace_back(source.path, source.reason);
    EXPECT_EQ((decltype(refused){{install.Path(), companions::Shortfall::HoldsBackupFolder},
                                 {P("/u/bad\"name"), companions::Shortfall::CannotCarry},
                                 {P("/m"), companions::Shortfall::HoldsBackupFolder}}),
              refused);
    // The saved file and its copy ("" for none).
    const std::pair<std::string, std::string> cases[] = {
        {P("/u/docs/a.txt"), mirror + P("/a.txt")},
        {P("/u/docs/sub/b.JPG"), mirror + P("/sub/b.JPG")},
        {P("/u/docs/c.exe"), ""},
        {P("/u/docs/h.txt"), ""},
        {P("/u/docs/hid/d.txt"), ""},
        {P("/u/docs/g.txt.PART"), ""},
        {P("/u/docs/Corvane Backup versions/v.txt"), ""},
        {P("/m/backup/e.txt"), ""},
        {install.PathOf("notes.txt"), ""},
        {P("/u/bad\"name/f.txt"), ""}};
    for (const auto& [path, copy] : cases)
    {
        files.copies.clear();
        EXPECT_EQ(copy.empty() ? SavedFileCopy::NotCopied : SavedFileCopy::Copied,
                  agent::CopySavedFile(*saved, path, files))
            << path;
        using Copies = std::vector<std::pair<std::string, std::string>>;
        EXPECT_EQ((copy.empty() ? Copies() : Copies{{path, copy}}), files.copies) << path;
        // Cleared as xcopy /M clears it, and only for a file it copied.
        EXPECT_EQ(copy.empty(), !files.Facts(path) || files.Facts(path)->archive) << path;
    }
}

// Only a copy that is missing or older by more than FAT's 2 seconds is
// replaced, as xcopy /d replaces it; one not older but of another size (a
// version put back) is kept and said so; a file still open for writing is
// left alone.
TEST_F(CopyOnSave, CopiesOnlyWhenTheCopyIsBehindAndTheFileIsClosed)
{
    // The copy's time and size, the outcome.
    const std::tuple<std::int64_t, std::uint64_t, SavedFileCopy> cases[] = {
        {100, 1, SavedFileCopy::UpToDate}, {99, 1, SavedFileCopy::UpToDate},
        {97, 1, SavedFileCopy::Copied},    {100, 2, SavedFileCopy::NewerCopyKept},
        {200, 1, SavedFileCopy::UpToDate}, {200, 2, SavedFileCopy::NewerCopyKept},
    };
    const std::string copy = mirror + P("/a.txt");
    for (const auto& [second, size, outcome] : cases)
    {
        files.AddFile(copy, second, false, size);
        EXPECT_EQ(outcome, agent::CopySavedFile(*saved, P("/u/docs/a.txt"), files))
            << second << " " << size;
        EXPECT_EQ(outcome == SavedFileCopy::Copied ? 1u : size, files.Facts(copy)->size);
    }
    // A destination that cannot keep the old copy as a version: it stays.
    files.AddFile(copy, 97);
    files.refusesToKeep = true;
    EXPECT_EQ(SavedFileCopy::NotKept, agent::CopySavedFile(*saved, P("/u/docs/a.txt"), files));
    EXPECT_EQ(std::chrono::seconds(97), files.Facts(copy)->lastWrite);
    files.entries.erase(copy);
    files.busy.insert(P("/u/docs/a.txt"));
    EXPECT_EQ(SavedFileCopy::Busy, agent::CopySavedFile(*saved, P("/u/docs/a.txt"), files));
    EXPECT_FALSE(files.Facts(copy));
}

// A burst of saves makes one copy once two seconds have been quiet; a change
// in the install directory means the store is to be read again.
TEST_F(CopyOnSave, WaitsForQuietBeforeActing)
{
    AgentSchedule schedule(install.Path(), files);
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
TEST_F(CopyOnSave, TriesABusyFileAgainThenGivesUp)
{
    AgentSchedule schedule(install.Path(), files);
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
    EXPECT_TRUE(schedule.Busy(file, now + 2000 + AgentSchedule::kBusyLimit - 1));
    EXPECT_FALSE(schedule.Busy(file, now + 2000 + 2 * AgentSchedule::kBusyLimit));
}

// A changed selection is picked up: other types, other folders to watch.
TEST_F(CopyOnSave, FollowsAChangedSelection)
{
    AgentSchedule schedule(install.Path(), files);
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
    EXPECT_EQ(SavedFileCopy::Copied, agent::CopySavedFile(*saved, P("/u/docs/c.exe"), files));
}

// With the destination unplugged a saved file is not copied; the day's
// failures, those whose old copy could not be kept among them, make one
// report, which waits in the profile for the next log-on.
TEST_F(CopyOnSave, ReportsTheDaysFailedCopiesInOneReport)
{
    files.entries.erase(dest + P("/e.txt"));
    files.entries.erase(dest);
    EXPECT_EQ(SavedFileCopy::Failed, agent::CopySavedFile(*saved, P("/u/docs/a.txt"), files));
    const std::string profile = P("/profile");
    files.MakeFolders(profile);
    agent::UncopiedFilesReport report(profile);
    std::tm day = LocalTime(2026, 1, 1, 0, 0, 0);
    for (const auto& [path, copy] : {std::pair{"/u/docs/a.txt", SavedFileCopy::Failed},
                                     {"/u/docs/sub/b.JPG", SavedFileCopy::Failed},
                                     {"/u/docs/a.txt", SavedFileCopy::NotKept}})
    {
        report.Add(*saved, {{P(path), copy}}, files, day);
        day.tm_hour += 1;
    }
    std::vector<std::string> toShow = companions::ReportsToShow(profile, files);
    ASSERT_EQ(1u, toShow.size());
    EXPECT_EQ("2 of 2 files were not backed up.\n" + P("/u/docs/a.txt") +
                  "\tcannot keep the old copy\n" + P("/u/docs/sub/b.JPG") + "\tmissing\n",
              store::ReadIfPresent(toShow[0], files));
    day.tm_yday += 1;
    report.Add(*saved, {{P("/u/docs/a.txt"), SavedFileCopy::Failed}}, files, day);
    EXPECT_EQ(2u, companions::ReportsToShow(profile, files).size());
}

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
