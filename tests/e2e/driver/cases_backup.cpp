// "Backup Now" from end to end: the real batch copies real files.
#include "tests/e2e/driver/cases.h"
#include "tests/e2e/driver/controls.h"
#include "tests/e2e/driver/harness.h"
#include "tests/e2e/driver/program.h"
#include "tests/e2e/driver/samples.h"
#include "tests/e2e/driver/shell_dialogs.h"
#include "tests/e2e/driver/store_files.h"
#include "tests/e2e/driver/text.h"
#include "tests/e2e/driver/wait.h"

#include <sstream>

namespace e2e
{

namespace
{

constexpr DWORD kBatchTimeoutMs = 120000;

// The batch is started hidden before the monitor, which is shown; then the
// batch runs to its end and erases itself.
void ExpectBackupCompleted(Checker& checker)
{
    checker.Require(WaitForBatchEnd("backup.bat", kBatchTimeoutMs) != -1,
                    "backup.bat runs to its end");
    checker.ExpectEqual(Join(StartsInOrder()), "backup.bat:0, Load.exe:1",
                        "started, in order, with show state");
    checker.Expect(!Exists(InstalledPath("backup.bat")), "backup.bat erased itself");
}

void ExpectCopies(const CopiedKinds& copied, Checker& checker)
{
    const FileTree copies = ReadTree(BackupDestination());
    const std::string differences = DescribeDifferences(copies, ExpectedCopies(copied));
    checker.Expect(differences.empty(),
                   "the destination holds exactly the expected copies:" + differences);
}

struct OptionSet
{
    const char* name;
    std::vector<std::pair<int, bool>> boxes;
    CopiedKinds copied;
};

bool Ticks(const OptionSet& options, int box)
{
    for (const auto& [id, ticked] : options.boxes)
        if (id == box)
            return ticked;
    return false;
}

// Everything chosen through the window, from the first-run settings, which
// tick "All File Types" and "System State".
void BackupThroughWindow(const OptionSet& options, Checker& checker,
                         bool pauseForScreenshot = false)
{
    CreateSamples();
    Program program;
    HWND window = program.Window(checker);
    AddSourceFolder(window, SampleSources()[0], checker);
    AddSourceFolder(window, SampleSources()[1], checker);
    ChooseDestination(window, BackupDestination(), checker);
    // The system folder is not copied here: it is the whole Windows of the prefix.
    ApplyOptions(window, {{kSystemState, false}}, checker);
    ApplyOptions(window, options.boxes, checker);
    if (pauseForScreenshot)
    {
        WriteBytes(HarnessPath("window-ready"), "");
        checker.Expect(WaitFor([] { return Exists(HarnessPath("screenshot-taken")); }, 60000),
                       "a screenshot is taken");
    }
    Click(window, kBackupNow, checker);
    program.ExpectEndsWithSuccess(checker, "Backup Now");
    ExpectBackupCompleted(checker);
    ExpectCopies(options.copied, checker);
    checker.ExpectEqual(ReadBytes(InstalledPath("filestobackup.bck")).value_or("<missing>"),
                        SourceListFor(SampleSources()), "filestobackup.bck");
    checker.ExpectEqual(ReadBytes(InstalledPath("data.dat")).value_or("<missing>"),
                        Ansi(BackupDestination()), "data.dat");
    const bool video = Ticks(options, kVideo);
    checker.ExpectEqual(ReadBytes(InstalledPath("video")).value_or("<missing>"),
                        video ? "" : "<missing>", "the video marker");
}

const std::vector<OptionSet>& OptionSets()
{
    static const std::vector<OptionSet> sets = {
        {"backup_all_file_types", {{kAllFileTypes, true}}, {true, {}}},
        {"backup_pictures", {{kAllFileTypes, false}, {kPictures, true}}, {false, {Kind::Picture}}},
        {"backup_documents_and_audio",
         {{kAllFileTypes, false}, {kDocuments, true}, {kAudio, true}},
         {false, {Kind::Document, Kind::Audio}}},
        {"backup_video_and_hidden",
         {{kAllFileTypes, false}, {kVideo, true}, {kHidden, true}},
         {true, {}}},
    };
    return sets;
}

template <size_t index> void BackupWithOptionSet(Checker& checker)
{
    BackupThroughWindow(OptionSets()[index], checker);
}

// Runs "Backup Now" on the selection the store holds.
void BackupFromStore(Checker& checker)
{
    ClearStartLog();
    Program program;
    HWND window = program.Window(checker);
    Click(window, kBackupNow, checker);
    program.ExpectEndsWithSuccess(checker, "Backup Now");
    ExpectBackupCompleted(checker);
}

void SecondBackupCopiesChanges(Checker& checker)
{
    CreateSamples();
    SeedStore(SampleSources(), BackupDestination(), {kDocuments});
    BackupFromStore(checker);
    const CopiedKinds documents{false, {Kind::Document}};
    ExpectCopies(documents, checker);

    // A changed file, a new file, and an unchanged one whose copy is marked:
    // the second run must replace only what is newer at the source.
    const std::string changed = SampleSources()[0] + "\\letter.doc";
    WriteBytes(changed, "changed after the first backup\r\n");
    SetWriteTime(changed, WriteTime(changed) + 36000000000ULL);
    WriteBytes(SampleSources()[1] + "\\new.txt", "new after the first backup\r\n");
    const std::string untouchedCopy = BackupDestination() + "\\report.doc";
    const unsigned long long copyTime = WriteTime(untouchedCopy);
    WriteBytes(untouchedCopy, "copy kept\r\n");
    SetWriteTime(untouchedCopy, copyTime);

    BackupFromStore(checker);
    FileTree expected = ExpectedCopies(documents);
    expected["letter.doc"] = "changed after the first backup\r\n";
    expected["new.txt"] = "new after the first backup\r\n";
    expected["report.doc"] = "copy kept\r\n";
    const std::string differences = DescribeDifferences(ReadTree(BackupDestination()), expected);
    checker.Expect(differences.empty(), "the second run copies only what changed:" + differences);
}

void ModifiedOnlyRunCompletes(Checker& checker)
{
    CreateSamples();
    SeedStore(SampleSources(), BackupDestination(), {kPictures, kModifiedOnly});
    BackupFromStore(checker);
    std::istringstream lines(BatchAsStarted("backup.bat"));
    int copyLines = 0;
    for (std::string line; std::getline(lines, line);)
    {
        if (line.rfind("xcopy", 0) != 0)
            continue;
        ++copyLines;
        checker.Expect(line.rfind("xcopy /M /d ", 0) == 0,
                       "copy line carries /M: " + Printable(line));
    }
    checker.ExpectEqual(copyLines, 36, "picture lines, 18 for each source");
    // The archive attribute is not kept here, so /M copies every picture again.
    ExpectCopies({false, {Kind::Picture}}, checker);
}

// The scripted backup of the main job without a display, paused once the
// window is filled in so that a screenshot can be taken.
void ScriptedBackupDemo(Checker& checker)
{
    const OptionSet demo = {"scripted_backup_demo",
                            {{kAllFileTypes, false}, {kPictures, true}, {kDocuments, true}},
                            {false, {Kind::Picture, Kind::Document}}};
    BackupThroughWindow(demo, checker, true);
}

} // namespace

std::vector<Case> BackupCases()
{
    return {
        {OptionSets()[0].name, BackupWithOptionSet<0>},
        {OptionSets()[1].name, BackupWithOptionSet<1>},
        {OptionSets()[2].name, BackupWithOptionSet<2>},
        {OptionSets()[3].name, BackupWithOptionSet<3>},
        {"second_backup_copies_changes", SecondBackupCopiesChanges},
        {"modified_only_run_completes", ModifiedOnlyRunCompletes},
        {"scripted_backup_demo", ScriptedBackupDemo},
    };
}

} // namespace e2e
