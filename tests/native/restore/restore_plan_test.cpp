#include "restore/restore_plan.h"
#include "restore/restore_verdict.h"
#include "tests/native/support/backup_contents.h"
#include "tests/native/support/local_time.h"

#include <gtest/gtest.h>

namespace
{

using restore::ConflictChoice;

restore::RestoreItem Item(std::size_t holding, std::string copyPath = {},
                          std::string versionPath = {})
{
    return restore::RestoreItem{holding, std::move(copyPath), std::move(versionPath)};
}

// "target <- from" for each file a restore writes.
std::vector<std::string> Targets(const restore::RestoreList& list)
{
    std::vector<std::string> lines;
    for (const restore::RestoreFile& file : list.files)
        lines.push_back(file.target + " <- " + file.from + (file.noCopy ? " (no copy)" : ""));
    return lines;
}

std::vector<std::string> Reasons(const restore::RestoreVerdict& verdict)
{
    std::vector<std::string> lines;
    for (const restore::NotRestored& file : verdict.notRestored)
        lines.push_back(file.path + "\t" + restore::RestoreReasonText(file.reason));
    return lines;
}

// The file time, in seconds, that reads as this local date and time.
std::int64_t SecondOf(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time = LocalTime(year, month, day, hour, minute, second);
    time.tm_isdst = -1;
#ifdef _WIN32
    // Windows counts file times from 1601.
    constexpr std::int64_t kFrom1601 = 11'644'473'600;
#else
    constexpr std::int64_t kFrom1601 = 0;
#endif
    return static_cast<std::int64_t>(std::mktime(&time)) + kFrom1601;
}

const std::tm kToday = LocalTime(2026, 12, 8, 10, 0, 0);

} // namespace

// Back to the original place, or below another folder with the path below
// the source, or with the mirror path once two holdings are restored.
TEST(RestorePlan, TargetsKeepThePathBelowTheSourceOrTheMirror)
{
    FakeFiles files;
    files.AddFile("C:\\Notes\\n.txt", 1);
    for (const char* path : {"\\C\\Docs\\a.doc", "\\C\\Docs\\Sub\\b.doc", "\\C\\Notes\\n.txt",
                             "\\C\\Old\\o.txt", "\\other\\x\\y.txt", "\\systemstate\\s.dll"})
        files.AddFile(kDest + path, 100);
    const auto contents = Contents(
        Selection({"C:\\Docs", "C:\\Notes\\n.txt", "C:\\Gone"}, kDest, "1000000000"), files);
    using Request = restore::RestoreRequest;
    EXPECT_EQ((std::vector<std::string>{
                  "C:\\Docs\\a.doc <- E:\\Backup\\C\\Docs\\a.doc",
                  "C:\\Docs\\Sub\\b.doc <- E:\\Backup\\C\\Docs\\Sub\\b.doc",
                  "C:\\Notes\\n.txt <- E:\\Backup\\C\\Notes\\n.txt",
                  "C:\\Gone <- E:\\Backup\\C\\Gone (no copy)",
                  "C:\\Old\\o.txt <- E:\\Backup\\C\\Old\\o.txt",
              }),
              Targets(ListRestore(contents, Request{{Item(0), Item(1), Item(2), Item(3)}, {}})));
    EXPECT_EQ(
        (std::vector<std::string>{"F:\\Got\\Sub\\b.doc <- E:\\Backup\\C\\Docs\\Sub\\b.doc"}),
        Targets(ListRestore(contents, Request{{Item(0, kDest + "\\C\\Docs\\Sub")}, "F:\\Got"})));
    EXPECT_EQ((std::vector<std::string>{
                  "F:\\Got\\C\\Notes\\n.txt <- E:\\Backup\\C\\Notes\\n.txt",
                  "F:\\Got\\systemstate\\s.dll <- E:\\Backup\\systemstate\\s.dll",
              }),
              Targets(ListRestore(contents, Request{{Item(1), Item(5)}, "F:\\Got"})));

    using restore::RestoreRefusal;
    // System State and a mirror whose path is lost go elsewhere only; the
    // backup itself is never a place to restore to.
    EXPECT_EQ(RestoreRefusal::OnlyElsewhere, ListRestore(contents, Request{{Item(5)}, {}}).refusal);
    EXPECT_EQ(RestoreRefusal::OnlyElsewhere, ListRestore(contents, Request{{Item(4)}, {}}).refusal);
    EXPECT_EQ(RestoreRefusal::InsideBackup,
              ListRestore(contents, Request{{Item(0)}, kDest + "\\C"}).refusal);
    EXPECT_EQ(RestoreRefusal::InsideBackup,
              ListRestore(contents, Request{{Item(0)}, kDest}).refusal);
    // Nor is it under another name: a drive letter or a junction of its own.
    files.aliases["V:\\Link"] = kDest;
    EXPECT_EQ(RestoreRefusal::InsideBackup,
              ListRestore(contents, Request{{Item(0)}, "V:\\Link\\C\\New"}).refusal);
}

// Every conflict rule, with a file held open and a folder that cannot keep.
TEST(RestoreRun, ConflictsAreAskedAndAnsweredAsTheUserSays)
{
    FakeFiles files;
    const std::int64_t copied = SecondOf(2026, 12, 7, 9, 30, 5);
    for (const char* name : {"same", "both", "replace", "skip", "busy", "new"})
        files.AddFile(kDest + "\\" + name + ".doc", copied, false, 10);
    files.AddFile("C:\\W\\same.doc", copied + 1, false, 10);
    for (const char* name : {"both", "replace", "skip", "busy"})
        files.AddFile(std::string("C:\\W\\") + name + ".doc", copied, false, 20);
    files.AddFile("C:\\W\\both (restored 2026-12-08).doc", 1);
    // A name that begins with its only dot has no extension.
    files.AddFile(kDest + "\\.profile", copied, false, 10);
    files.AddFile("C:\\W\\.profile", copied, false, 20);
    files.heldOpen.insert("C:\\W\\busy.doc");
    const auto contents = Contents(Selection({"C:\\W"}, kDest, "1000000000"), files);

    std::vector<std::string> asked;
    const std::map<std::string, ConflictChoice> answers = {
        {"C:\\W\\.profile", ConflictChoice::KeepBoth},
        {"C:\\W\\both.doc", ConflictChoice::KeepBoth},
        {"C:\\W\\busy.doc", ConflictChoice::Replace},
        {"C:\\W\\replace.doc", ConflictChoice::Replace},
        {"C:\\W\\skip.doc", ConflictChoice::Skip},
    };
    restore::RestoreCallbacks callbacks;
    callbacks.ask = [&](const restore::Conflict& conflict) {
        asked.push_back(conflict.target + " " + std::to_string(conflict.targetSize) + "/" +
                        std::to_string(conflict.copySize));
        return restore::ConflictAnswer{answers.at(conflict.target), false};
    };
    std::vector<std::size_t> progress;
    callbacks.progress = [&progress](const restore::RestoreProgress& now) {
        progress.push_back(now.filesDone);
    };
    const auto list = ListRestore(contents, {{Item(0)}, {}});
    const auto verdict = RunRestore(contents, list, kToday, callbacks, files);
    EXPECT_EQ((std::vector<std::string>{"C:\\W\\.profile 20/10", "C:\\W\\both.doc 20/10",
                                        "C:\\W\\busy.doc 20/10", "C:\\W\\replace.doc 20/10",
                                        "C:\\W\\skip.doc 20/10"}),
              asked);
    EXPECT_EQ((std::vector<std::string>{"C:\\W\\busy.doc\tin use", "C:\\W\\skip.doc\tskipped"}),
              Reasons(verdict));
    EXPECT_EQ("2 of 7 files were not restored.", restore::RestoreFirstLine(verdict));
    EXPECT_EQ((std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7}), progress);
    EXPECT_EQ(10u, files.entries.at("C:\\W\\.profile (restored 2026-12-08)").size);
    EXPECT_EQ(10u, files.entries.at("C:\\W\\both (restored 2026-12-08) (2).doc").size);
    EXPECT_EQ(20u, files.entries.at("C:\\W\\both.doc").size);
    EXPECT_EQ(10u, files.entries.at("C:\\W\\replace.doc").size);
    EXPECT_EQ(10u, files.entries.at("C:\\W\\new.doc").size);
    // The user's file went among the copy's versions, under its own time.
    EXPECT_EQ(20u, files.entries
                       .at(kDest + "\\Corvane Backup versions\\replace (2026-12-07 09-30-05).doc")
                       .size);
    EXPECT_FALSE(files.Facts(kDest + "\\Corvane Backup versions\\busy (2026-12-07 09-30-05).doc"));
    EXPECT_EQ(std::chrono::seconds(copied + 1), files.entries.at("C:\\W\\same.doc").lastWrite);

    // Elsewhere, "Replace" keeps the replaced file beside itself, and an
    // answer for all is asked once.
    files.AddFile("F:\\To\\both.doc", 5, false, 5);
    files.AddFile("F:\\To\\skip.doc", 5, false, 5);
    asked.clear();
    callbacks.ask = [&asked](const restore::Conflict& conflict) {
        asked.push_back(conflict.target);
        return restore::ConflictAnswer{ConflictChoice::Replace, true};
    };
    const auto elsewhere = RunRestore(contents, ListRestore(contents, {{Item(0)}, "F:\\To"}),
                                      kToday, callbacks, files);
    EXPECT_EQ((std::vector<std::string>{"F:\\To\\both.doc"}), asked);
    EXPECT_EQ("All 7 files were restored.", restore::RestoreFirstLine(elsewhere));
    EXPECT_EQ(5u, files.entries.at("F:\\To\\skip (replaced 2026-12-08).doc").size);
    EXPECT_EQ(10u, files.entries.at("F:\\To\\skip.doc").size);

    // A folder that cannot keep the replaced file leaves it: not written.
    files.refusesToKeep = true;
    files.AddFile("F:\\To\\new.doc", 5);
    const auto notKept =
        RunRestore(contents, ListRestore(contents, {{Item(0, kDest + "\\new.doc")}, "F:\\To"}),
                   kToday, callbacks, files);
    EXPECT_EQ((std::vector<std::string>{"F:\\To\\new.doc\tcannot be written"}), Reasons(notKept));

    // Without a question, both are kept; a stopped restore skips the rest.
    callbacks = {};
    int left = 1;
    callbacks.keepGoing = [&left] { return left-- > 0; };
    files.Remove(kDest + "\\both.doc");
    const auto stopped = RunRestore(
        contents,
        ListRestore(contents, {{Item(0, kDest + "\\both.doc"), Item(0, kDest + "\\new.doc")}, {}}),
        kToday, callbacks, files);
    EXPECT_EQ((std::vector<std::string>{"C:\\W\\both.doc\tthe backup holds no copy",
                                        "C:\\W\\new.doc\tskipped"}),
              Reasons(stopped));
}

// A link planted in the place restored to is never written through.
TEST(RestoreRun, ALinkPlantedWhereFilesGoIsNotFollowed)
{
    FakeFiles files;
    files.AddFile(kDest + "\\Sub\\a.doc", 100);
    files.AddFolderLink("C:\\W\\Sub");
    const auto contents = Contents(Selection({"C:\\W"}, kDest, "1000000000"), files);
    EXPECT_EQ(
        (std::vector<std::string>{"C:\\W\\Sub\\a.doc\tcannot be written"}),
        Reasons(RunRestore(contents, ListRestore(contents, {{Item(0)}, {}}), kToday, {}, files)));
}

// A version put back in its place becomes the current copy again; the copy
// it displaces becomes a version. Where that swap fails, the file is not
// restored, and the user's file and the copy stay as they were.
TEST(RestoreRun, AVersionRestoredInPlaceIsTheCurrentCopyAgain)
{
    FakeFiles files;
    const std::int64_t good = SecondOf(2026, 12, 6, 8, 0, 0), bad = SecondOf(2026, 12, 7, 9, 30, 5);
    const std::string version = kDest + "\\Corvane Backup versions\\plan (2026-12-06 08-00-00).doc";
    files.AddFile(version, good, false, 30);
    files.AddFile(kDest + "\\plan.doc", bad, false, 3);
    files.AddFile("C:\\W\\plan.doc", bad, false, 3);
    const auto contents = Contents(Selection({"C:\\W"}, kDest, "1000000000"), files);
    restore::RestoreCallbacks callbacks;
    callbacks.ask = [](const restore::Conflict&) {
        return restore::ConflictAnswer{ConflictChoice::Replace, false};
    };
    const auto list = ListRestore(contents, {{Item(0, kDest + "\\plan.doc", version)}, {}});
    files.refusesToKeep = true;
    EXPECT_EQ((std::vector<std::string>{"C:\\W\\plan.doc\tcannot be written"}),
              Reasons(RunRestore(contents, list, kToday, callbacks, files)));
    EXPECT_EQ(3u, files.entries.at("C:\\W\\plan.doc").size);
    EXPECT_EQ(3u, files.entries.at(kDest + "\\plan.doc").size);
    files.refusesToKeep = false;
    const auto verdict = RunRestore(contents, list, kToday, callbacks, files);
    EXPECT_EQ("All 1 files were restored.", restore::RestoreFirstLine(verdict));
    EXPECT_EQ(30u, files.entries.at("C:\\W\\plan.doc").size);
    EXPECT_EQ(30u, files.entries.at(kDest + "\\plan.doc").size);
    EXPECT_EQ(
        3u,
        files.entries.at(kDest + "\\Corvane Backup versions\\plan (2026-12-07 09-30-05).doc").size);
}

// While a backup runs the restore waits before the next file and says so
// once; a stop ends a wait for a backup that never ends.
TEST(RestoreRun, WaitsForARunningBackupUntilItEndsOrIsStopped)
{
    FakeFiles files;
    // The drive stands, the source folder is gone.
    files.MakeFolders("C:\\");
    files.AddFile(kDest + "\\a.doc", 100);
    files.AddFile(kDest + "\\b.doc", 100);
    const auto contents = Contents(Selection({"C:\\W"}, kDest, "1000000000"), files);
    const auto list = ListRestore(contents, {{Item(0)}, {}});
    int looks = 0, pauses = 0, told = 0;
    restore::RestoreCallbacks callbacks;
    callbacks.backupRuns = [&looks] { return ++looks % 3 != 0; };
    callbacks.pause = [&pauses] { ++pauses; };
    callbacks.waiting = [&told] { ++told; };
    EXPECT_EQ("All 2 files were restored.",
              restore::RestoreFirstLine(RunRestore(contents, list, kToday, callbacks, files)));
    EXPECT_EQ(1, told);
    EXPECT_EQ(4, pauses);

    files.Remove("C:\\W\\a.doc");
    bool stopped = false;
    callbacks.backupRuns = [] { return true; };
    callbacks.pause = [&stopped] { stopped = true; };
    callbacks.keepGoing = [&stopped] { return !stopped; };
    EXPECT_EQ((std::vector<std::string>{"C:\\W\\a.doc\tskipped", "C:\\W\\b.doc\tskipped"}),
              Reasons(RunRestore(contents, list, kToday, callbacks, files)));
    EXPECT_FALSE(files.Facts("C:\\W\\a.doc"));
}

// A link planted in the backup is never followed, below a restored folder
// or on the way to a restored file: it is "is a link", and nothing it
// points to is restored.
TEST(RestoreRun, NeverFollowsALinkInTheBackup)
{
    FakeFiles files;
    files.MakeFolders("C:\\");
    files.AddFile(kDest + "\\a.doc", 100);
    files.entries[kDest + "\\Planted"] = platform::FileFacts{true, true};
    files.AddFile(kDest + "\\Planted\\secret.txt", 100);
    files.entries[kDest + "\\link.doc"] = platform::FileFacts{false, true};
    const auto contents = Contents(Selection({"C:\\W"}, kDest, "1000000000"), files);
    const auto restore = [&](const std::string& copyPath) {
        return Reasons(RunRestore(contents, ListRestore(contents, {{Item(0, copyPath)}, {}}),
                                  kToday, {}, files));
    };
    EXPECT_EQ((std::vector<std::string>{"C:\\W\\Planted\tis a link", "C:\\W\\link.doc\tis a link"}),
              restore({}));
    EXPECT_EQ((std::vector<std::string>{"C:\\W\\Planted\\secret.txt\tis a link"}),
              restore(kDest + "\\Planted\\secret.txt"));
    EXPECT_TRUE(files.Facts("C:\\W\\a.doc"));
    EXPECT_FALSE(files.Facts("C:\\W\\Planted"));
}
