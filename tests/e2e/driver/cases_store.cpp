// Start, close and restart: what the program writes when it ends, and what it
// shows when it starts again.
#include "tests/e2e/driver/fixtures.h"

namespace e2e
{

namespace
{

// Checks the window a restart shows, then leaves it with Esc.
void ExpectRestartShows(const std::vector<int>& ticked, const std::vector<int>& locked,
                        const std::string& sources, const std::string& destination)
{
    Program again;
    HWND window = again.Window();
    ExpectOptions(window, ticked, locked);
    ExpectEqual(SourceList(window), sources, "sources shown");
    ExpectEqual(TextOf(GetDlgItem(window, kDestination)), destination, "destination shown");
    again.Close(true);
}

void FirstStartAndClose()
{
    const std::vector<int> ticked = {kAllFileTypes, kSystemState, kAutoOnShutdown, kBackupOnModify};
    const std::vector<int> locked = {kPictures, kAudio, kVideo, kDocuments, kHidden};
    {
        Program program;
        HWND window = program.Window();
        ExpectOptions(window, ticked, locked);
        ExpectEqual(SourceList(window) + TextOf(GetDlgItem(window, kDestination)), "",
                    "sources and destination start empty");
        Expect(!IsEnabled(window, kRemoveSelected), "Remove Selected starts disabled");
        ExpectTree(StoreSnapshot(), {{"data.dat", ""}, {"filestobackup.bck", ""}},
                   "the store a first start creates");
        program.Close();
    }
    ExpectTree(StoreSnapshot(),
               {{"settings.dat", "1;1;1;0;0;0;0;0;1;0;"},
                {"data.dat", ""},
                {"enableauto", ""},
                {"mod.bat", ModBatchFor("")}},
               "the store after close");
    ExpectRestartShows(ticked, locked, "", "");
}

void EditedSelectionSurvivesRestart()
{
    CreateSamples();
    {
        Program program;
        HWND window = program.Window();
        for (const std::string& source : {kSources[0], kSources[1], kSources[0]})
            AddSourceFolder(window, source);
        SelectSource(window, 0);
        Expect(WaitFor([&] { return IsEnabled(window, kRemoveSelected); }, 5000),
               "selecting an entry enables Remove Selected");
        Click(window, kRemoveSelected);
        ExpectEqual(SourceList(window), kSources[1] + ", " + kSources[0],
                    "entries after removing the first, the repeat kept");
        Expect(!IsEnabled(window, kRemoveSelected), "Remove Selected disabled after a removal");
        ChooseDestination(window, kBackupFolder);
        ApplyOptions(window, {{kAllFileTypes, false},
                              {kDocuments, true},
                              {kHidden, true},
                              {kSystemState, false},
                              {kModifiedOnly, true}});
        // The shutdown box keeps its marker in step at once, before any save.
        for (bool ticked : {false, true, false, true})
        {
            ApplyOptions(window, {{kAutoOnShutdown, ticked}});
            Expect(Exists(InstalledPath("enableauto")) == ticked,
                   std::string("the shutdown marker ") + (ticked ? "made" : "gone") + " at once");
        }
        program.Close();
    }
    const std::vector<int> ticked = {kAutoOnShutdown, kBackupOnModify, kDocuments, kHidden,
                                     kModifiedOnly};
    ExpectTree(StoreSnapshot(),
               {{"settings.dat", SettingsFor(ticked)},
                {"data.dat", Ansi(kBackupFolder)},
                {"filestobackup.bck", SourceListFor({kSources[1], kSources[0]})},
                {"enableauto", ""},
                {"mod.bat", ModBatchFor(kBackupFolder)}},
               "the store after close");
    ExpectRestartShows(ticked, {}, kSources[1] + ", " + kSources[0], kBackupFolder);
}

void EscapeWritesNothing()
{
    Program program;
    HWND window = program.Window();
    const FileTree before = StoreSnapshot();
    ApplyOptions(window, {{kSystemState, false}, {kModifiedOnly, true}, {kAllFileTypes, false}});
    program.Close(true);
    ExpectTree(StoreSnapshot(), before, "the store after Esc");
    Expect(!Exists(InstalledPath("settings.dat")), "Esc writes no settings.dat");
}

void AddFileThroughFileDialog()
{
    CreateSamples();
    const std::string file = kSources[0] + "\\letter.doc";
    Program program;
    HWND window = program.Window();
    // Every name shows, not only names with a blank: six files and a folder.
    AddFileThroughDialog(window, kSources[0], 7, file);
    Expect(WaitFor([&] { return SourceList(window) == file; }, 5000),
           "Add File lists the chosen file's full path");
    program.Close();
    ExpectEqual(ReadBytes(InstalledPath("filestobackup.bck")), SourceListFor({file}),
                "filestobackup.bck");
}

void VirtualDriveStartsTool()
{
    Program program;
    HWND window = program.Window();
    Click(window, kVirtualDrive);
    WaitFor([] { return !StartsInOrder().empty(); });
    ExpectEqual(StartsInOrder(), "vd.exe:0", "started, with show state");
    Expect(IsWindow(window) && !program.WaitForExit(0), "the window stays open");
    program.Close(true);
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
