#include "agent/agent_schedule.h"
#include "agent/copy_on_save.h"
#include "companions/report.h"
#include "tests/native/support/local_time.h"
#include "tests/native/support/saved_documents.h"

#include <gtest/gtest.h>

using agent::SavedFileCopy;
using CopyOnSave = SavedDocuments;

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

// With the destination unplugged a saved file waits for it; the day's
// failures, those whose old copy could not be kept among them, make one
// report, which waits in the profile for the next log-on.
TEST_F(CopyOnSave, ReportsTheDaysFailedCopiesInOneReport)
{
    files.entries.erase(dest + P("/e.txt"));
    files.entries.erase(dest);
    EXPECT_EQ(SavedFileCopy::Away, agent::CopySavedFile(*saved, P("/u/docs/a.txt"), files));
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

// A file source that was missing when the store was read (a deleted file
// put back) is a file still where the backup holds it: it is watched and
// copied to its copy's place once saved.
TEST_F(CopyOnSave, TakesAFileSourceMissingWhenReadForAFile)
{
    const std::string copy = dest + P("/other/u/notes.txt");
    files.AddFile(copy, 50);
    SaveSelection(directory, Selection({P("/u/docs"), P("/u/notes.txt")}, dest, "1000000000"),
                  files);
    saved = companions::ReadSavedPlan(directory, files).saved;
    files.AddFile(P("/u/notes.txt"), 100);
    agent::AgentSchedule schedule(install.Path(), files);
    schedule.Follow(&*saved);
    EXPECT_EQ((std::vector<agent::WatchedFolder>{{install.Path(), false, {}},
                                                 {P("/u/docs"), true, {}},
                                                 {P("/u/"), false, {"notes.txt"}}}),
              schedule.FoldersToWatch());
    EXPECT_EQ(SavedFileCopy::Copied, agent::CopySavedFile(*saved, P("/u/notes.txt"), files));
    EXPECT_EQ(std::chrono::seconds(100), files.Facts(copy)->lastWrite);
}
