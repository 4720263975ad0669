// Start, close and restart: what the program writes when it ends, and what it
// shows when it starts again.
#include "tests/e2e/driver/cases.h"
#include "tests/e2e/driver/controls.h"
#include "tests/e2e/driver/harness.h"
#include "tests/e2e/driver/program.h"
#include "tests/e2e/driver/samples.h"
#include "tests/e2e/driver/shell_dialogs.h"
#include "tests/e2e/driver/store_files.h"
#include "tests/e2e/driver/text.h"
#include "tests/e2e/driver/wait.h"

namespace e2e
{

namespace
{

const std::vector<int> kFirstRunTicks = {kAllFileTypes, kSystemState, kAutoOnShutdown,
                                         kBackupOnModify};
const std::vector<int> kTypeBoxes = {kPictures, kAudio, kVideo, kDocuments, kHidden};

void ExpectEmptySelection(HWND window, Checker& checker)
{
    checker.ExpectEqual(Join(ListEntries(window, kSourceList)), "", "source list");
    checker.ExpectEqual(TextOf(GetDlgItem(window, kDestination)), "", "destination");
}

void FirstStartAndClose(Checker& checker)
{
    {
        Program program;
        HWND window = program.Window(checker);
        ExpectOptions(window, kFirstRunTicks, kTypeBoxes, checker);
        ExpectEmptySelection(window, checker);
        checker.Expect(!IsEnabled(window, kRemoveSelected), "Remove Selected starts disabled");
        checker.Expect(StoreSnapshot() == FileTree{{"data.dat", ""}, {"filestobackup.bck", ""}},
                       "the first start creates only an empty data.dat and filestobackup.bck");
        SendClose(window);
        program.ExpectEndsWithSuccess(checker, "close");
    }
    const FileTree saved = {
        {"settings.dat", "1;1;1;0;0;0;0;0;1;0;"},
        {"data.dat", ""},
        {"enableauto", ""},
        {"mod.bat", ModBatchFor("")},
    };
    checker.Expect(DescribeDifferences(StoreSnapshot(), saved).empty(),
                   "store after close:" + DescribeDifferences(StoreSnapshot(), saved));

    Program again;
    HWND window = again.Window(checker);
    ExpectOptions(window, kFirstRunTicks, kTypeBoxes, checker);
    ExpectEmptySelection(window, checker);
    again.EndWithEscape(checker);
}

void EditedSelectionSurvivesRestart(Checker& checker)
{
    CreateSamples();
    const std::vector<std::string>& sources = SampleSources();
    {
        Program program;
        HWND window = program.Window(checker);
        AddSourceFolder(window, sources[0], checker);
        AddSourceFolder(window, sources[1], checker);
        AddSourceFolder(window, sources[0], checker);
        checker.ExpectEqual(Join(ListEntries(window, kSourceList)),
                            Join({sources[0], sources[1], sources[0]}),
                            "entries in the order added, repeats kept");
        SelectListEntry(window, kSourceList, 0, checker);
        checker.Expect(WaitFor([&] { return IsEnabled(window, kRemoveSelected); }, 5000),
                       "selecting an entry enables Remove Selected");
        Click(window, kRemoveSelected, checker);
        checker.ExpectEqual(Join(ListEntries(window, kSourceList)), Join({sources[1], sources[0]}),
                            "entries after removing the first");
        checker.Expect(!IsEnabled(window, kRemoveSelected),
                       "Remove Selected disabled after a removal");

        ChooseDestination(window, BackupDestination(), checker);

        ApplyOptions(window,
                     {{kAllFileTypes, false},
                      {kDocuments, true},
                      {kHidden, true},
                      {kSystemState, false},
                      {kModifiedOnly, true}},
                     checker);
        // The shutdown box keeps its marker in step at once, before any save.
        for (bool ticked : {false, true, false, true})
        {
            ApplyOptions(window, {{kAutoOnShutdown, ticked}}, checker);
            checker.Expect(Exists(InstalledPath("enableauto")) == ticked,
                           std::string("the shutdown marker ") + (ticked ? "exists" : "is gone") +
                               " after a click");
        }
        SendClose(window);
        program.ExpectEndsWithSuccess(checker, "close");
    }
    const std::vector<int> ticked = {kAutoOnShutdown, kBackupOnModify, kDocuments, kHidden,
                                     kModifiedOnly};
    const FileTree saved = {
        {"settings.dat", SettingsFor(ticked)},
        {"data.dat", Ansi(BackupDestination())},
        {"filestobackup.bck", SourceListFor({sources[1], sources[0]})},
        {"enableauto", ""},
        {"mod.bat", ModBatchFor(BackupDestination())},
    };
    checker.Expect(DescribeDifferences(StoreSnapshot(), saved).empty(),
                   "store after close:" + DescribeDifferences(StoreSnapshot(), saved));

    Program again;
    HWND window = again.Window(checker);
    ExpectOptions(window, ticked, {}, checker);
    checker.ExpectEqual(Join(ListEntries(window, kSourceList)), Join({sources[1], sources[0]}),
                        "sources shown");
    checker.ExpectEqual(TextOf(GetDlgItem(window, kDestination)), BackupDestination(),
                        "destination shown");
    again.EndWithEscape(checker);
}

void EscapeWritesNothing(Checker& checker)
{
    Program program;
    HWND window = program.Window(checker);
    const FileTree before = StoreSnapshot();
    ApplyOptions(window, {{kSystemState, false}, {kModifiedOnly, true}, {kAllFileTypes, false}},
                 checker);
    program.EndWithEscape(checker);
    checker.Expect(DescribeDifferences(StoreSnapshot(), before).empty(),
                   "Esc leaves the store as it was:" +
                       DescribeDifferences(StoreSnapshot(), before));
    checker.Expect(!Exists(InstalledPath("settings.dat")), "Esc writes no settings.dat");
}

void AddFileThroughFileDialog(Checker& checker)
{
    CreateSamples();
    const std::string file = SampleSources()[0] + "\\letter.doc";
    Program program;
    HWND window = program.Window(checker);
    Click(window, kAddFile, checker);
    // Every name shows, not only names with a blank: six files and a folder.
    ExpectFileDialogLists(window, SampleSources()[0], 7, checker);
    ChooseFile(window, file, checker);
    checker.Expect(WaitFor([&] { return ListEntries(window, kSourceList).size() == 1; }, 5000),
                   "Add File adds one entry");
    checker.ExpectEqual(Join(ListEntries(window, kSourceList)), file,
                        "the chosen file's full path is listed");
    SendClose(window);
    program.ExpectEndsWithSuccess(checker, "close");
    checker.ExpectEqual(ReadBytes(InstalledPath("filestobackup.bck")).value_or("<missing>"),
                        SourceListFor({file}), "filestobackup.bck");
}

void VirtualDriveStartsTool(Checker& checker)
{
    Program program;
    HWND window = program.Window(checker);
    Click(window, kVirtualDrive, checker);
    checker.Expect(WaitFor([] { return !StartsInOrder().empty(); }, 15000), "a program is started");
    checker.ExpectEqual(Join(StartsInOrder()), "vd.exe:0", "started, with show state");
    checker.Expect(IsWindow(window) && !program.WaitForExit(0), "the window stays open");
    program.EndWithEscape(checker);
}

} // namespace

std::vector<Case> StoreCases()
{
    return {
        {"first_start_and_close", FirstStartAndClose},
        {"edited_selection_survives_restart", EditedSelectionSurvivesRestart},
        {"escape_writes_nothing", EscapeWritesNothing},
        {"add_file_through_file_dialog", AddFileThroughFileDialog},
        {"virtual_drive_starts_tool", VirtualDriveStartsTool},
    };
}

} // namespace e2e
