#include "companions/report.h"
#include "restore/backup_contents.h"
#include "restore/find_in_backup.h"
#include "restore/other_backup_folder.h"
#include "restore/quiet_restore.h"
#include "restore/restore_plan.h"
#include "tests/native/agent_support.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using restore::ConflictChoice;
using restore::HoldingKind;

namespace
{

const std::string kDest = "E:\\Backup";
const std::string kSep(1, platform::kPathSeparator);

restore::RestoreItem Item(std::size_t holding, std::string copyPath = {},
                          std::string versionPath = {})
{
    return restore::RestoreItem{holding, std::move(copyPath), std::move(versionPath)};
}

companions::SavedPlan Saved(const BackupSelection& selection, FakeFiles& files)
{
    companions::SavedPlan saved;
    saved.selection = selection;
    saved.plan = PlanBackup(selection, files);
    return saved;
}

restore::BackupContents Contents(const BackupSelection& selection, FakeFiles& files)
{
    return *restore::BackupContents::Read(Saved(selection, files), files);
}

// "kind label -> original" for each holding.
std::vector<std::string> Holdings(const restore::BackupContents& contents)
{
    static const char* const kinds[] = {"source", "not in selection", "other", "system"};
    std::vector<std::string> lines;
    for (const restore::Holding& holding : contents.Holdings())
        lines.push_back(std::string(kinds[static_cast<int>(holding.kind)]) + " " + holding.label +
                        " -> " + holding.originalPath);
    return lines;
}

std::vector<std::string> Names(const std::vector<restore::BackupItem>& items)
{
    std::vector<std::string> names;
    for (const restore::BackupItem& item : items)
        names.push_back(item.name + (item.isFolder ? "\\" : ""));
    return names;
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

// One source: its place is the destination less the program's folders; what
// its plan would not copy shows apart, and System State on its own.
TEST(BackupContents, OneSourceHoldsTheDestinationLessTheProgramsFolders)
{
    FakeFiles files;
    for (const char* path :
         {"\\Docs\\a.doc", "\\Docs\\Sub\\b.doc", "\\Docs\\notes.zzz", "\\top.doc", "\\old.zzz",
          "\\x.doc.part", "\\Corvane Backup reports\\r.txt", "\\systemstate\\s.dll"})
        files.AddFile(kDest + path, 100, false, 7);
    files.AddFile(kDest + "\\Corvane Backup versions\\top (2026-12-07 09-30-05).doc", 50);
    files.AddFile(kDest + "\\Corvane Backup versions\\top (2026-12-06 09-30-05).doc", 40);
    // Documents only: the text files are the backup's, not this selection's.
    const auto contents = Contents(Selection({"C:\\Work"}, kDest, "0000001000"), files);
    EXPECT_EQ((std::vector<std::string>{"source C:\\Work -> C:\\Work", "other Other files -> ",
                                        "system System State -> "}),
              Holdings(contents));
    const auto& holdings = contents.Holdings();
    const auto top = contents.List(holdings[0], kDest);
    EXPECT_EQ((std::vector<std::string>{"Docs\\", "top.doc"}), Names(top));
    EXPECT_EQ(2, top[1].versions);
    EXPECT_EQ(7u, top[1].size);
    EXPECT_EQ((std::vector<std::string>{"Docs\\", "old.zzz"}),
              Names(contents.List(holdings[1], kDest)));
    EXPECT_EQ((std::vector<std::string>{"Sub\\", "notes.zzz"}),
              Names(contents.List(holdings[1], kDest + "\\Docs")));
    std::vector<std::string> walked;
    contents.Walk(holdings[0], kDest, [&walked](const restore::BackupItem& item) {
        walked.push_back(item.copyPath);
        return true;
    });
    EXPECT_EQ(3u, walked.size());

    // All file types copy every name: nothing else to show.
    EXPECT_EQ((std::vector<std::string>{"source C:\\Work -> C:\\Work", "system System State -> "}),
              Holdings(Contents(Selection({"C:\\Work"}, kDest, "1000000000"), files)));
    EXPECT_FALSE(restore::BackupContents::Read(
        Saved(Selection({"C:\\Work"}, "F:\\Gone", "1000000000"), files), files));
    EXPECT_EQ("Your backup folder F:\\Gone cannot be found.",
              companions::DestinationMissingText("F:\\Gone"));
}

// Two or more: each source is its mirror; mirrors no source covers are
// marked, a share keeps its server and name, and loose files are other files.
TEST(BackupContents, SeveralSourcesAreTheirMirrors)
{
    FakeFiles files;
    files.AddFile("C:\\Notes\\n.txt", 1);
    for (const char* path :
         {"\\C\\Docs\\a.doc", "\\C\\Notes\\n.txt", "\\C\\Notes\\gone.txt", "\\C\\Old\\o.txt",
          "\\D\\d.txt", "\\UNC\\nas\\home\\h.txt", "\\other\\x\\y.txt", "\\loose.txt"})
        files.AddFile(kDest + path, 100);
    const auto contents = Contents(
        Selection({"C:\\Docs", "C:\\Notes\\n.txt", "C:\\Missing"}, kDest, "1000000000"), files);
    EXPECT_EQ((std::vector<std::string>{
                  "source C:\\Docs -> C:\\Docs",
                  "source C:\\Notes\\n.txt -> C:\\Notes\\n.txt",
                  "source C:\\Missing -> C:\\Missing",
                  "not in selection C:\\Notes\\gone.txt -> C:\\Notes\\gone.txt",
                  "not in selection C:\\Old -> C:\\Old",
                  "not in selection D:\\ -> D:\\",
                  "not in selection \\\\nas\\home -> \\\\nas\\home",
                  "not in selection other -> ",
                  "other Other files -> ",
              }),
              Holdings(contents));
    EXPECT_TRUE(contents.Holdings()[1].isFile);
    EXPECT_EQ((std::vector<std::string>{"loose.txt"}),
              Names(contents.List(contents.Holdings()[8], kDest)));
}

// The filter finds names in any letter case, holding by holding, up to its
// limit; a stop ends the walk.
TEST(BackupContents, FindsFilesByAnyPartOfTheirName)
{
    FakeFiles files;
    files.AddFile("C:\\Notes\\report.txt", 1);
    for (const char* path : {"\\C\\Docs\\Annual REPORT.doc", "\\C\\Docs\\notes.txt",
                             "\\C\\Docs\\Sub\\reports.zip", "\\C\\Notes\\report.txt"})
        files.AddFile(kDest + path, 100);
    const auto contents =
        Contents(Selection({"C:\\Docs", "C:\\Notes\\report.txt"}, kDest, "1000000000"), files);
    const auto find = [&contents](const char* filter, std::size_t limit, bool stopped) {
        const std::atomic<bool> stop{stopped};
        std::vector<std::string> found;
        for (const restore::FoundFile& file : restore::FindInBackup(contents, filter, limit, stop))
            found.push_back(std::to_string(file.holding) + " " + file.item.name);
        return found;
    };
    EXPECT_EQ((std::vector<std::string>{"0 Annual REPORT.doc", "0 reports.zip", "1 report.txt"}),
              find("Rep", 10, false));
    EXPECT_EQ((std::vector<std::string>{"0 Annual REPORT.doc", "0 reports.zip"}),
              find("rep", 2, false));
    EXPECT_EQ(std::vector<std::string>{}, find("rep", 10, true));
}

// Another backup folder is read as the saved one would be: the saved sources
// with the refusals of the saved plan (here a source that holds the folder).
TEST(BackupContents, AnotherFolderIsReadAsTheSavedOne)
{
    Install install;
    FakeFiles files;
    files.AddFile(kDest + "\\a.doc", 100);
    SaveSelection(install.Directory(), Selection({"E:\\"}, "F:\\Gone", "1000000000"), files);
    auto other = restore::SavedPlanFor(kDest, install.Directory(), files);
    EXPECT_EQ(kDest, other.plan.destination);
    ASSERT_EQ(1u, other.refused.size());
    EXPECT_EQ("E:\\", other.refused[0].path);
    SaveSelection(install.Directory(), Selection({"E:\\"}, kDest, "1000000000"), files);
    const auto read = [&files](std::optional<companions::SavedPlan> saved) {
        return Holdings(*restore::BackupContents::Read(std::move(*saved), files));
    };
    const std::vector<std::string> opened = read(std::move(other));
    EXPECT_EQ((std::vector<std::string>{"source E:\\ -> E:\\", "other Other files -> "}), opened);
    EXPECT_EQ(read(companions::ReadSavedPlan(install.Directory(), files)), opened);
}

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

// A version put back in its place becomes the current copy again; the copy
// it displaces becomes a version.
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
    const auto verdict =
        RunRestore(contents, ListRestore(contents, {{Item(0, kDest + "\\plan.doc", version)}, {}}),
                   kToday, callbacks, files);
    EXPECT_EQ("All 1 files were restored.", restore::RestoreFirstLine(verdict));
    EXPECT_EQ(30u, files.entries.at("C:\\W\\plan.doc").size);
    EXPECT_EQ(30u, files.entries.at(kDest + "\\plan.doc").size);
    EXPECT_EQ(
        3u,
        files.entries.at(kDest + "\\Corvane Backup versions\\plan (2026-12-07 09-30-05).doc").size);
}

// "Load.exe /restore /quiet PATH [/to FOLDER]": its words, its statuses, its
// report (ANSI, CR LF), which the log-on display never shows.
TEST(QuietRestore, StatusesLinesAndReport)
{
    using restore::ParseQuietRestore;
    EXPECT_EQ("C:\\My Docs", ParseQuietRestore("/restore /quiet \"C:\\My Docs\"")->path);
    EXPECT_EQ("F:\\To", ParseQuietRestore("/restore /quiet C:\\W /to F:\\To")->toFolder);
    EXPECT_FALSE(ParseQuietRestore("/restore /quiet"));
    EXPECT_FALSE(ParseQuietRestore("/restore /quiet C:\\W /from F:\\To"));

    const InstallDirectory install(P("/install"));
    const std::string profile = P("/profile");
    FakeFiles files;
    files.MakeFolders(profile);
    files.AddFile(kDest + "\\a.doc", 100, false, 4);
    files.AddFile(kDest + "\\Sub\\b.doc", 100, false, 4);
    files.AddFile("C:\\W\\Sub\\b.doc", 200, false, 5);
    const std::tm start = LocalTime(2026, 12, 8, 10, 0, 0);
    const restore::QuietRestoreContext context{files, start, profile, {}};
    const auto run = [&](const std::string& path, const std::string& to = {}) {
        const auto outcome = RunQuietRestore(install, {path, to}, context);
        return std::to_string(outcome.status) + " " + outcome.line;
    };
    EXPECT_EQ("2 Choose a folder to back up to first.", run("C:\\W"));
    SaveSelection(install, Selection({"C:\\W"}, "F:\\Gone", "1000000000"), files);
    EXPECT_EQ("2 Your backup folder F:\\Gone cannot be found.", run("C:\\W"));
    SaveSelection(install, Selection({"C:\\W"}, kDest, "1000000000"), files);
    EXPECT_EQ("2 C:\\Wx is not in your backup selection.", run("C:\\Wx"));
    EXPECT_EQ("2 Choose a folder outside your backup folder.", run("C:\\W", kDest));
    files.heldOpen.insert("C:\\W\\a.doc");
    EXPECT_EQ("1 1 of 1 files were not restored.", run("C:\\W\\a.doc"));
    files.heldOpen.clear();
    EXPECT_EQ("0 All 2 files were restored.", run("C:\\W\\"));
    EXPECT_EQ(5u, files.entries.at("C:\\W\\Sub\\b.doc").size);
    EXPECT_EQ(4u, files.entries.at("C:\\W\\Sub\\b (restored 2026-12-08).doc").size);

    const std::string reports = profile + kSep + "Corvane Backup" + kSep + "reports" + kSep;
    EXPECT_EQ("1 of 1 files were not restored.\r\nC:\\W\\a.doc\tin use\r\n",
              files.bytes.at(reports + "restore 2026-12-08 10-00-00.txt"));
    EXPECT_EQ("All 2 files were restored.\r\n",
              files.bytes.at(reports + "restore 2026-12-08 10-00-00 (2).txt"));
    // Even listed to be shown, a restore's report is not shown at log-on.
    files.Replace(profile + kSep + "Corvane Backup" + kSep + "reports to show",
                  "restore 2026-12-08 10-00-00.txt\r\n");
    EXPECT_TRUE(companions::ReportsToShow(profile, files).empty());
}
