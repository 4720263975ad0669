#include "agent/folder_out_of_reach.h"
#include "agent/last_complete_backup.h"
#include "agent/session_end_backup.h"
#include "companions/report.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/install.h"
#include "tests/native/support/local_time.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>

namespace
{

const std::tm kStarted = LocalTime(2024, 5, 1, 17, 30, 5);
const std::string kReportName = "2024-05-01 17-30-05.txt";

// Documents from a folder that holds one file to copy, one already backed up
// and one still open for writing, and from a drive that is not plugged in.
struct SessionEnd : testing::Test
{
    InstallDirectory directory{P("/install")};
    FakeFiles files;
    const std::string dest = P("/dest"), profile = P("/profile");
    const std::string destReports = P("/dest/Corvane Backup reports"),
                      profileReports = P("/profile/Corvane Backup/reports");
    // Where the first source's copies go.
    const std::string mirror = platform::JoinPath(dest, P("other/u/docs"));
    agent::Millis now = 0;
    // What the profile held when the clock was first read, at the walk's start.
    std::string reportBeforeTheWalk;
    // The report on a run of Documents: the file not copied, and why, and
    // the missing drive.
    std::string BadNews(const std::string& why) const
    {
        return "2 of 4 files were not backed up.\r\n" + P("/u/docs/c.txt") + "\t" + why + "\r\n" +
               P("/e/gone") + "\tsource not found\r\n";
    }

    SessionEnd()
    {
        for (const char* name : {"a.txt", "b.txt", "c.txt", "d.exe"})
            files.AddFile(P("/u/docs/") + name, 100);
        files.busy.insert(P("/u/docs/c.txt"));
        files.AddFile(platform::JoinPath(mirror, "b.txt"), 100);
        files.MakeFolders(profile);
    }

    companions::Verdict Run(const std::string& ticks, agent::Millis deadline)
    {
        SaveSelection(directory, Selection({P("/u/docs"), P("/e/gone")}, dest, ticks), files);
        const auto saved = companions::ReadSavedPlan(directory, files).saved;
        const auto clock = [this] {
            if (now == 0)
                reportBeforeTheWalk = ReportIn(profileReports);
            return ++now;
        };
        return agent::BackUpAtSessionEnd(*saved, {files, clock, deadline, kStarted, profile});
    }

    std::string ReportIn(const std::string& folder) const
    {
        const auto report = files.bytes.find(platform::JoinPath(folder, kReportName));
        return report == files.bytes.end() ? "<missing>" : report->second;
    }
};

} // namespace

// The saved selection is backed up through its plan and the report names, in
// both places, what is not backed up; the bad news waits for the next log-on,
// and is shown then until one showing succeeds.
TEST_F(SessionEnd, BacksUpThePlanAndReportsWhatIsMissing)
{
    Run("0000001000", 1000);
    EXPECT_EQ("The backup was stopped before it finished: 0 files checked, 0 not backed up.\r\n",
              reportBeforeTheWalk);
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{
                  {P("/u/docs/a.txt"), platform::JoinPath(mirror, "a.txt")}}),
              files.copies);
    // Held by another program, as the monitor would say it.
    EXPECT_EQ(BadNews("in use by another program"), ReportIn(destReports));
    EXPECT_EQ(BadNews("in use by another program"), ReportIn(profileReports));
    const std::string kept = platform::JoinPath(profileReports, kReportName);
    EXPECT_EQ(std::vector<std::string>{kept}, companions::ReportsToShow(profile, files));
    RecordingShell shell;
    shell.refused.insert(kept);
    companions::ShowKeptReports(profile, shell, files);
    shell.refused.clear();
    companions::ShowKeptReports(profile, shell, files);
    companions::ShowKeptReports(profile, shell, files);
    EXPECT_EQ((Starts{{kept, kShowNormal}, {kept, kShowNormal}}), shell.starts);
}

// A destination that cannot keep the copies it would replace as versions
// leaves them as they were, and the run's one report says why.
TEST_F(SessionEnd, LeavesTheCopiesItCannotKeep)
{
    files.AddFile(platform::JoinPath(mirror, "a.txt"), 50);
    files.refusesToKeep = true;
    Run("0000001000", 1000);
    EXPECT_TRUE(files.copies.empty());
    EXPECT_EQ(std::chrono::seconds(50),
              files.entries.at(platform::JoinPath(mirror, "a.txt")).lastWrite);
    EXPECT_EQ("3 of 4 files were not backed up.\r\n" + P("/u/docs/a.txt") +
                  "\tcannot keep the old copy\r\n" + P("/u/docs/c.txt") +
                  "\tin use by another program\r\n" + P("/e/gone") + "\tsource not found\r\n",
              ReportIn(profileReports));
    EXPECT_EQ(1u, companions::ReportsToShow(profile, files).size());
}

// At the cap the run stops, and the listing and the judging count against
// it as the copying does: only what was checked is reported, never as "All",
// and kept to be shown.
TEST_F(SessionEnd, StopsAtTheCap)
{
    // Four files listed, the first one copied, then the time is up.
    Run("0000001000", 7);
    EXPECT_EQ(1u, files.copies.size());
    EXPECT_EQ("The backup was stopped before it finished: 1 files checked, 0 not backed up.\r\n",
              ReportIn(profileReports));
    EXPECT_EQ(1u, companions::ReportsToShow(profile, files).size());
}

// With "Modified Since Last Backup" only files whose archive bit is set are
// copied, and their bit is cleared; a file without it still counts, as the
// monitor counts it. Good news is not kept to be shown.
TEST_F(SessionEnd, ModifiedOnlyCopiesArchivedFilesAndCountsEveryFile)
{
    files.busy.clear();
    files.entries.at(P("/u/docs/c.txt")).archive = false;
    Run("0000001001", 1000);
    EXPECT_EQ((std::vector<std::pair<std::string, std::string>>{
                  {P("/u/docs/a.txt"), platform::JoinPath(mirror, "a.txt")}}),
              files.copies);
    EXPECT_FALSE(files.entries.at(P("/u/docs/a.txt")).archive);
    EXPECT_EQ(BadNews("missing"), ReportIn(destReports));

    // Written again, and the drive plugged in.
    files.AddFile(P("/u/docs/c.txt"), 100);
    files.AddFolder(P("/e/gone"), false);
    EXPECT_FALSE(Run("0000001001", 1000).HasBadNews());
    EXPECT_EQ(1u, companions::ReportsToShow(profile, files).size());
}

// A destination that did not answer a look, or refused the user, is asked
// nothing more: the plan is read and the files are judged without it, the
// report goes to the profile only, and a refusal is said as such.
TEST_F(SessionEnd, ReportsAnUnreachableDestinationWithoutAskingIt)
{
    agent::FolderOutOfReach away(files, dest);
    SaveSelection(directory, Selection({P("/u/docs")}, dest, "0000001000"), files);
    const auto saved = companions::ReadSavedPlan(directory, away).saved;
    agent::BackUpAtSessionEnd(*saved,
                              {away, [this] { return ++now; }, 1000, kStarted, profile, true});
    EXPECT_TRUE(files.copies.empty());
    EXPECT_EQ("<missing>", ReportIn(destReports));
    std::string expected = "3 of 3 files were not backed up.\r\n";
    for (const char* name : {"a.txt", "b.txt", "c.txt"})
        expected += P("/u/docs/") + name + "\taccess denied\r\n";
    EXPECT_EQ(expected, ReportIn(profileReports));
}

// A store locked at log-off is no empty selection: nothing is backed up, and
// the next log-on shows why.
TEST_F(SessionEnd, NamesAStoreItCannotRead)
{
    SaveSelection(directory, Selection({P("/u/docs")}, dest, "0000001000"), files);
    EXPECT_EQ(dest, agent::DestinationAtSessionEnd(directory, files, kStarted, profile));
    files.Remove(directory.PathOf(kDataFile));
    files.MakeFolders(directory.PathOf(kDataFile));
    EXPECT_EQ("", agent::DestinationAtSessionEnd(directory, files, kStarted, profile));
    EXPECT_EQ("Cannot read the saved selection: " + directory.PathOf(kDataFile) + "\r\n",
              ReportIn(profileReports));
    EXPECT_EQ(1u, companions::ReportsToShow(profile, files).size());
}

// A run that copied or found current every file this user can read keeps its
// start as the last complete backup's time; a file in use, a run cut short or
// a refusing destination keep the time as it was. A file the user may not
// read is named, and counts for nothing.
TEST_F(SessionEnd, KeepsTheTimeOfACompleteBackup)
{
    const struct
    {
        const char* what;
        bool busy, denied, refused;
        agent::Millis deadline;
        bool complete;
    } cases[] = {
        {"all current", false, false, false, 1000, true},
        {"one not readable", false, true, false, 1000, true},
        {"one in use", true, false, false, 1000, false},
        {"cut short", false, false, false, 3, false},
        {"refused", false, false, true, 1000, false},
    };
    const agent::UtcSeconds kBefore = 1'700'000'000, kStart = kBefore + 3 * 86400;
    for (const auto& c : cases)
    {
        FakeFiles disk;
        disk.MakeFolders(profile);
        disk.MakeFolders(dest);
        for (const char* name : {"a.txt", "b.txt"})
            disk.AddFile(P("/u/docs/") + name, 100);
        if (c.busy)
            disk.busy.insert(P("/u/docs/b.txt"));
        if (c.denied)
            disk.denied.insert(P("/u/docs/b.txt"));
        agent::KeepLastCompleteBackup(profile, kBefore, disk);
        SaveSelection(directory, Selection({P("/u/docs")}, dest, "0000001000"), disk);
        const auto saved = companions::ReadSavedPlan(directory, disk).saved;
        agent::SessionEndRun run{
            disk, [this] { return ++now; }, now + c.deadline, kStarted, profile, c.refused};
        run.startedUtc = kStart;
        agent::BackUpAtSessionEnd(*saved, run);
        EXPECT_EQ(c.complete ? kStart : kBefore,
                  agent::ReadLastCompleteBackup(profile, kStart + 60, disk))
            << c.what;
        if (c.denied)
        {
            EXPECT_EQ("1 of 2 files were not backed up.\r\n" + P("/u/docs/b.txt") +
                          "\taccess denied\r\n",
                      disk.bytes[platform::JoinPath(profileReports, kReportName)]);
        }
    }
}

// The daily catch-up's run: its report is named as such, and one stopped
// when the session ends is not kept to be shown, the log-off backup that
// follows doing the rest.
TEST_F(SessionEnd, CatchUpStoppedAtTheSessionsEnd)
{
    SaveSelection(directory, Selection({P("/u/docs")}, dest, "0000001000"), files);
    const auto saved = companions::ReadSavedPlan(directory, files).saved;
    int looksBeforeTheStop = 2;
    agent::SessionEndRun run{files, [this] { return ++now; }, 1000, kStarted, profile};
    run.goOn = [&] { return looksBeforeTheStop-- > 0; };
    run.reportSuffix = " catch-up";
    agent::BackUpAtSessionEnd(*saved, run);
    EXPECT_EQ("The backup was stopped before it finished: 0 files checked, 0 not backed up.\r\n",
              files.bytes[platform::JoinPath(profileReports, "2024-05-01 17-30-05 catch-up.txt")]);
    EXPECT_TRUE(companions::ReportsToShow(profile, files).empty());

    const companions::Verdict rest = Run("0000001000", 1000);
    EXPECT_EQ(1u, files.copies.size());
    EXPECT_EQ(4u, rest.expected);
}
