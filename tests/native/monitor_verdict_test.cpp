// The monitor, Load.exe: its verdicts on real trees, and its decisions that need no window.
#include "companions/backup_processes.h"
#include "companions/load_role.h"
#include "companions/monitor_view.h"
#include "companions/report.h"
#include "companions/run_progress.h"
#include "companions/verdict.h"
#include "platform/file_tree.h"
#include "tests/native/test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <tuple>
#ifdef _WIN32
#include <windows.h>
#endif

namespace
{

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kSep(1, platform::kPathSeparator);

// A source folder and a destination, with files made in either.
struct Backup
{
    Install source;
    Install destination;

    // A file of `size` bytes; names that begin with a dot are hidden on every
    // platform, folders included.
    std::string Make(const Install& root, const std::string& relative, size_t size = 3) const
    {
        const fs::path path = fs::path(root.Path()) / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
#ifdef _WIN32
        // Windows itself hides no dotted name; Wine does.
        for (fs::path part = path; part != root.Path(); part = part.parent_path())
            if (part.filename().string()[0] == '.')
                SetFileAttributesA(part.string().c_str(), FILE_ATTRIBUTE_HIDDEN);
#endif
        return path.string();
    }
    // The source file and its copy in `folder` of the destination, the copy
    // dated `age` before the source.
    void Copied(const std::string& relative, fs::file_time_type::duration age, size_t size = 3,
                const std::string& folder = "") const
    {
        const std::string original = Make(source, relative);
        const std::string copy = Make(destination, folder + relative, size);
        fs::last_write_time(copy, fs::last_write_time(original) - age);
    }
    CopyPlan Plan(const std::string& ticks, std::vector<std::string> more = {}) const
    {
        more.insert(more.begin(), source.Path());
        return PlanBackup(Selection(more, destination.Path(), ticks), platform::LocalFiles());
    }
    // The paths below the source of the files expected, in name order.
    std::vector<std::string> Expected(const std::string& ticks) const
    {
        std::vector<std::string> names;
        for (const companions::ExpectedFile& file :
             companions::ListExpectedFiles(Plan(ticks), platform::LocalFiles()))
        {
            EXPECT_EQ(file.copyPath.substr(destination.Path().size()),
                      file.sourcePath.substr(source.Path().size()));
            names.push_back(file.sourcePath.substr(source.Path().size() + 1));
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

// The verdict on a run that is over.
companions::Verdict Judge(const CopyPlan& plan)
{
    return companions::RunProgress(companions::ListExpectedFiles(plan, platform::LocalFiles()), {},
                                   platform::LocalFiles())
        .Finish(false);
}

using Processes = std::vector<platform::ProcessEntry>;

std::string Found(const Processes& snapshot)
{
    const companions::BackupProcesses found =
        companions::FindBackupProcesses(snapshot, 10, "cmd.exe");
    return "batch " + (found.batch ? std::to_string(*found.batch) : "-") + ", dialog " +
           (found.dialog ? std::to_string(*found.dialog) : "-");
}

} // namespace

// Each type option expects the names that end with one of its patterns, in
// any letter case and in every subfolder, and nothing of the other types.
// Without /h, xcopy passes over hidden files and everything in hidden
// folders; the lines with /h (All File Types, Hidden) take them all.
TEST(ExpectedFiles, EachOptionExpectsWhatItsXcopyLinesTake)
{
    const std::string music = "Music" + kSep, deep = "A" + kSep + "B" + kSep;
    const std::string hidden[] = {".folder" + kSep + "inside.jpg", ".unseen.jpg",
                                  "sub" + kSep + ".deep.jpg"};
    // In name order.
    const std::vector<std::string> all = {hidden[0],  hidden[1], deep + "c.WMV", music + "b.mp3",
                                          "a.Jpeg",   "d.rtf",   "e.Doc",        "notes.docx",
                                          "photoPNG", hidden[2]};
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"0001000000", {"a.Jpeg", "photoPNG"}},
        {"0000100000", {music + "b.mp3"}},
        {"0000010000", {deep + "c.WMV"}},
        {"0000001000", {"d.rtf", "e.Doc"}},
        {"0001000100", all},
        {"1000000000", all},
    };
    Backup backup;
    for (const std::string& name : all)
        backup.Make(backup.source, name);
    // Never a file of the backup: an unfinished copy, the versions of an
    // earlier backup.
    backup.Make(backup.source, "cut.jpg.part");
    backup.Make(backup.source, "Corvane Backup versions" + kSep + "a (2026-01-01 00-00-00).Jpeg");
    for (const auto& [ticks, names] : cases)
        EXPECT_EQ(names, backup.Expected(ticks)) << ticks;
}

// Every way a copy can fall short, each named once; a copy one second older
// is as good as its source on a clock that counts in two seconds. A source
// that is not there is one file in both numbers.
TEST(Verdict, NamesEachFileNotBackedUpWithItsReason)
{
    Backup backup;
    // With two sources, each copies into the mirror of its path.
#ifdef _WIN32
    const std::string own = backup.source.Path().erase(1, 1) + kSep;
#else
    const std::string own = "other" + backup.source.Path() + kSep;
#endif
    backup.Copied("good.txt", 0s, 3, own);
    backup.Copied("fat clock.txt", 1s, 3, own);
    backup.Copied("old.txt", 10s, 3, own);
    backup.Copied("short.txt", 0s, 2, own);
    backup.Make(backup.source, "sub" + kSep + "never.txt");
    const std::string gone = backup.source.PathOf("gone"), source = backup.source.Path() + kSep;
    EXPECT_EQ("4 of 6 files were not backed up.\n" + source + "old.txt\tolder than the source\n" +
                  source + "short.txt\tsize differs\n" + source + "sub" + kSep +
                  "never.txt\tmissing\n" + gone + "\tsource not found\n",
              companions::ReportText(Judge(backup.Plan("1000000000", {gone}))));
    EXPECT_EQ("All 0 files were backed up.\n",
              companions::ReportText(Judge(Backup().Plan("1000000000"))));

    // A copy path that no file system can name is missing, never a crash.
    const companions::Verdict lost =
        Judge(PlanBackup(Selection({backup.source.Path()},
                                   backup.destination.PathOf(std::string(300, 'd')), "1000000000"),
                         platform::LocalFiles()));
    EXPECT_EQ(5u, lost.notBackedUp.size());
    for (const companions::NotBackedUp& file : lost.notBackedUp)
        EXPECT_EQ(companions::Shortfall::Missing, file.reason) << file.sourcePath;
}

// FAT's clock counts in two seconds, rounded either way.
TEST(Verdict, TimesTwoSecondsApartAreTheSame)
{
    const std::pair<platform::FileTime, bool> apart[] = {
        {0s, true}, {2s, true}, {2s + platform::FileTime(1), false}, {10s, false}};
    const platform::FileTime time = 1000s;
    for (const auto& [distance, same] : apart)
    {
        EXPECT_EQ(same, companions::SameTime(time, time + distance)) << distance.count();
        EXPECT_EQ(same, companions::SameTime(time + distance, time)) << distance.count();
    }
}

// Copies of an earlier run count at once; then only a report of an expected
// copy that is now good moves the count.
TEST(RunProgress, CountsCopiesAsTheyArrive)
{
    Backup backup;
    backup.Copied("earlier.txt", 0s);
    backup.Make(backup.source, "new.txt", 1000);
    const std::string stray = backup.Make(backup.destination, "stray.txt");
    companions::RunProgress progress(
        companions::ListExpectedFiles(backup.Plan("1000000000"), platform::LocalFiles()), {},
        platform::LocalFiles());
    const auto counts = [&progress] {
        const companions::Progress& now = progress.Now();
        return std::to_string(now.filesArrived) + "/" + std::to_string(now.filesExpected) + " " +
               std::to_string(now.bytesArrived) + "/" + std::to_string(now.bytesExpected);
    };
    EXPECT_EQ("1/2 3/1003", counts());
    EXPECT_FALSE(progress.OnChanged(stray));
    const std::string copy = backup.destination.PathOf("new.txt");
    backup.Make(backup.destination, "new.txt", 10);
    EXPECT_FALSE(progress.OnChanged(copy));
    backup.Make(backup.destination, "new.txt", 1000);
    EXPECT_TRUE(progress.OnChanged(copy));
    EXPECT_FALSE(progress.OnChanged(copy));
    EXPECT_EQ("2/2 1003/1003", counts());
    EXPECT_EQ(backup.source.Path(), progress.Now().currentFolder);
}

// One name for both copies of the report, free in both folders; CR LF.
TEST(Report, WrittenWholeIntoTheDestinationAndTheProfile)
{
    Install destination, profile;
    const std::tm start = LocalTime(2026, 3, 4, 5, 6, 7);
    const companions::Verdict stopped{3, {{0, "C:\\a.txt", companions::Shortfall::Missing}}, true};
    const std::string own = "Corvane Backup reports" + kSep,
                      kept = "Corvane Backup" + kSep + "reports" + kSep;
    fs::create_directories(profile.PathOf(kept));
    profile.Write(kept + "2026-03-04 05-06-07.txt", "an older report");

    const auto paths = companions::ReportPublisher(platform::LocalFiles(), start,
                                                   destination.Path(), profile.Path())
                           .Final(stopped, true);
    const std::string name = "2026-03-04 05-06-07 (2).txt";
    EXPECT_EQ(
        (std::vector<std::string>{destination.PathOf(own + name), profile.PathOf(kept + name)}),
        paths);
    const std::string text =
        "The backup was stopped before it finished: 3 files checked, 1 not backed up.\r\n"
        "C:\\a.txt\tmissing\r\n";
    EXPECT_EQ(text, destination.Read(own + name));
    EXPECT_EQ(text, profile.Read(kept + name));

    companions::ReportPublisher(platform::LocalFiles(), start, destination.Path(), "")
        .Final(stopped, true);
    EXPECT_EQ(text, destination.Read(own + "2026-03-04 05-06-07.txt"));
    EXPECT_EQ(std::vector<std::string>{profile.PathOf(kept + "2026-03-04 05-06-07 (3).txt")},
              companions::ReportPublisher(platform::LocalFiles(), start, "", profile.Path())
                  .Final(stopped, true));

#ifndef _WIN32
    // A reports folder that someone made a link to elsewhere is not written
    // through: the report stays in the profile and is kept to be shown.
    Install planted, elsewhere;
    fs::create_directory_symlink(elsewhere.Path(), planted.PathOf("Corvane Backup reports"));
    EXPECT_EQ(
        std::vector<std::string>{profile.PathOf(kept + "2026-03-04 05-06-07 (4).txt")},
        companions::ReportPublisher(platform::LocalFiles(), start, planted.Path(), profile.Path())
            .Final(stopped, false));
    EXPECT_TRUE(fs::is_empty(elsewhere.Path()));
    EXPECT_EQ(1u, companions::ReportsToShow(profile.Path(), platform::LocalFiles()).size());
#endif
}

// The monitor (id 10) waits on the interpreter its parent started last
// before it, and on the parent while that is the dialog.
TEST(BackupProcesses, TheBatchIsTheParentsLastInterpreterBeforeTheMonitor)
{
    const platform::ProcessEntry monitor{10, 5, "Load.exe", 100};
    const platform::ProcessEntry dialog{5, 1, "CORVANEBACKUP.EXE", 10};
    const platform::ProcessEntry batch{7, 5, "CMD.EXE", 90};
    const std::pair<Processes, std::string> cases[] = {
        {{monitor, dialog, batch}, "batch 7, dialog 5"},
        // The dialog has ended; its children keep its id.
        {{monitor, batch}, "batch 7, dialog -"},
        {{monitor, dialog, batch, {8, 5, "cmd.exe", 80}, {9, 5, "cmd.exe", 110}},
         "batch 7, dialog 5"},
        {{monitor, dialog, {7, 5, "notepad.exe", 90}, {8, 4, "cmd.exe", 95}}, "batch -, dialog 5"},
        // Started by hand from a console: the console is no batch of ours.
        {{monitor, {5, 1, "explorer.exe", 10}, batch}, "batch -, dialog -"},
        {{dialog, batch}, "batch -, dialog -"},
    };
    for (const auto& [snapshot, found] : cases)
        EXPECT_EQ(found, Found(snapshot)) << snapshot.size();
}

// While the batch runs: counts, sizes and the clock; a minute without a new
// copy is a stall. Once it has ended, each file not backed up with its reason.
TEST(MonitorView, ShowsTheProgressAndThenTheFilesNotBackedUp)
{
    companions::MonitorState state;
    state.elapsed = std::chrono::seconds(3725);
    EXPECT_EQ("Finding the files to back up...", companions::ViewOf(state).headline);
    EXPECT_EQ("Time taken: 1:02:05", companions::ViewOf(state).time);

    state.phase = companions::MonitorPhase::Copying;
    state.progress = {40, 10, 3 * 1024 * 1024 + 1, 1536, "C:\\Data\\Trip"};
    state.elapsed = std::chrono::seconds(65);
    state.quiet = std::chrono::seconds(59);
    const companions::MonitorView view = companions::ViewOf(state);
    EXPECT_EQ("Backing up your files...", view.headline);
    EXPECT_EQ("Files: 10 of 40", view.files);
    EXPECT_EQ("Size: 1.5 KB of 3.0 MB", view.bytes);
    EXPECT_EQ("Folder: C:\\Data\\Trip", view.folder);
    EXPECT_EQ("Time taken: 1:05", view.time);
    EXPECT_EQ(0, view.percent);
    state.progress.bytesExpected = 0;
    state.progress.currentFolder.clear();
    EXPECT_EQ(25, companions::ViewOf(state).percent);
    EXPECT_EQ("", companions::ViewOf(state).folder);
    state.quiet = companions::kStallTime;
    EXPECT_EQ("Stalled: no file has arrived for a minute.", companions::ViewOf(state).headline);

    state.phase = companions::MonitorPhase::Done;
    state.verdict =
        companions::Verdict{40, {{0, "C:\\Data\\a.txt", companions::Shortfall::Missing}}};
    EXPECT_EQ((std::vector<companions::FileReason>{{"C:\\Data\\a.txt", "missing"}}),
              companions::ViewOf(state).notBackedUp);
}

// Each start of Load.exe finds its one job from how it was started.
TEST(LoadRole, ChosenFromTheArgumentsTheShowStateAndTheCatalogRequest)
{
    using companions::LoadRole;
    // The arguments, whether it was started shown, whether a catalog is asked.
    const std::tuple<const char*, bool, bool, LoadRole> cases[] = {
        {"", true, false, LoadRole::Monitor},
        {"", true, true, LoadRole::Monitor},
        {"", false, true, LoadRole::Catalog},
        {"", false, false, LoadRole::Resident},
        {" /logon ", true, true, LoadRole::Resident},
        {"/logon /relayed", false, true, LoadRole::Resident},
        {"/stop", true, false, LoadRole::Stop},
        {"/other", false, false, LoadRole::Resident},
        {" /restore  /quiet C:\\Docs", true, true, LoadRole::QuietRestore},
        {"/restore /quiet", false, false, LoadRole::QuietRestore},
        {"/restore /relayed", true, true, LoadRole::RestoreWindow},
        {"/restore", false, false, LoadRole::RestoreWindow},
    };
    for (const auto& [arguments, shown, catalog, role] : cases)
        EXPECT_EQ(role, companions::ChooseLoadRole(arguments, shown, catalog)) << arguments;
}
