// "Backup Now" from end to end: the real batch copies real files.
#include "tests/e2e/driver/fixtures.h"

#include <algorithm>
#include <sstream>

namespace e2e
{

namespace
{

// Clicks "Backup Now" and checks the run: the batch started hidden before the
// monitor, which is shown; the program ended with status 0; the batch ran to
// its end and erased itself.
void BackupNow(Program& program)
{
    ClearStartLog();
    Click(program.Window(), kBackupNow);
    program.ExpectEnds("Backup Now");
    Require(WaitForBatchEnd("backup.bat", 120000) != -1, "backup.bat runs to its end");
    ExpectEqual(StartsInOrder(), "backup.bat:0, Load.exe:1", "started, in order, with show state");
    Expect(!Exists(InstalledPath("backup.bat")), "backup.bat erased itself");
}

// Writes a file, then dates it `shift` (100 ns units) after its old write time.
void WriteDated(const std::string& path, const std::string& bytes, unsigned long long shift)
{
    HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    FILETIME time{};
    GetFileTime(file, nullptr, nullptr, &time);
    const unsigned long long dated =
        ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) + shift;
    time = {static_cast<DWORD>(dated), static_cast<DWORD>(dated >> 32)};
    DWORD written = 0;
    SetEndOfFile(file);
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

struct OptionSet
{
    const char* name;
    std::vector<std::pair<int, bool>> boxes;
    std::vector<Kind> copied;
    // The scripted backup of the main job pauses, once the window is filled
    // in, until a screenshot has been taken.
    bool pauseForScreenshot = false;
};

// Everything chosen through the window, from the first-run settings, which
// tick "All File Types" and "System State".
void BackupThroughWindow(const OptionSet& options)
{
    CreateSamples();
    Program program;
    HWND window = program.Window();
    AddSourceFolder(window, kSources[0]);
    AddSourceFolder(window, kSources[1]);
    ChooseDestination(window, kBackupFolder);
    // The system folder is not copied here: it is the whole Windows of the prefix.
    ApplyOptions(window, {{kSystemState, false}});
    ApplyOptions(window, options.boxes);
    if (options.pauseForScreenshot)
    {
        WriteBytes(HarnessPath("window-ready"), "");
        Expect(WaitFor([] { return Exists(HarnessPath("screenshot-taken")); }, 60000),
               "a screenshot is taken");
    }
    BackupNow(program);
    ExpectTree(ReadTree(kBackupFolder), ExpectedCopies(options.copied), "the destination");
    ExpectEqual(ReadBytes(InstalledPath("filestobackup.bck")), SourceListFor(kSources),
                "filestobackup.bck");
    ExpectEqual(ReadBytes(InstalledPath("data.dat")), Ansi(kBackupFolder), "data.dat");
    const bool video = std::count(options.boxes.begin(), options.boxes.end(),
                                  std::pair<int, bool>{kVideo, true}) > 0;
    ExpectEqual(ReadBytes(InstalledPath("video")), video ? "" : "<missing>", "the video marker");
}

const OptionSet kOptionSets[] = {
    {"backup_all_file_types", {{kAllFileTypes, true}}, kEveryKind},
    {"backup_pictures", {{kAllFileTypes, false}, {kPictures, true}}, {Kind::Picture}},
    {"backup_documents_and_audio",
     {{kAllFileTypes, false}, {kDocuments, true}, {kAudio, true}},
     {Kind::Document, Kind::Audio}},
    {"backup_video_and_hidden",
     {{kAllFileTypes, false}, {kVideo, true}, {kHidden, true}},
     kEveryKind},
    {"scripted_backup_demo",
     {{kAllFileTypes, false}, {kPictures, true}, {kDocuments, true}},
     {Kind::Picture, Kind::Document},
     true},
};

void SecondBackupCopiesChanges()
{
    CreateSamples();
    SeedStore(kSources, kBackupFolder, {kDocuments});
    {
        Program first;
        BackupNow(first);
    }
    FileTree expected = ExpectedCopies({Kind::Document});
    ExpectTree(ReadTree(kBackupFolder), expected, "the destination after the first run");

    // A changed file, a new file, and an unchanged one whose copy is marked:
    // the second run must replace only what is newer at the source.
    expected["letter.doc"] = "changed after the first backup\r\n";
    expected["new.txt"] = "new after the first backup\r\n";
    expected["report.doc"] = "copy kept\r\n";
    WriteDated(kSources[0] + "\\letter.doc", expected["letter.doc"], 36000000000ULL);
    WriteBytes(kSources[1] + "\\new.txt", expected["new.txt"]);
    WriteDated(kBackupFolder + "\\report.doc", expected["report.doc"], 0);
    Program second;
    BackupNow(second);
    ExpectTree(ReadTree(kBackupFolder), expected, "the destination after the second run");
}

void ModifiedOnlyRunCompletes()
{
    CreateSamples();
    SeedStore(kSources, kBackupFolder, {kPictures, kModifiedOnly});
    Program program;
    BackupNow(program);
    std::istringstream lines(BatchAsStarted("backup.bat"));
    int copyLines = 0;
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("xcopy", 0) == 0)
            ExpectEqual(line.substr(0, 12), "xcopy /M /d ",
                        "copy line " + std::to_string(++copyLines));
    ExpectEqual(std::to_string(copyLines), "36", "picture lines, 18 for each source");
    // The archive attribute is not kept here, so /M copies every picture again.
    ExpectTree(ReadTree(kBackupFolder), ExpectedCopies({Kind::Picture}), "the destination");
}

} // namespace

std::vector<Case> BackupCases()
{
    std::vector<Case> cases = {{"second_backup_copies_changes", SecondBackupCopiesChanges},
                               {"modified_only_run_completes", ModifiedOnlyRunCompletes}};
    for (const OptionSet& options : kOptionSets)
        cases.push_back({options.name, [&options] { BackupThroughWindow(options); }});
    return cases;
}

} // namespace e2e
