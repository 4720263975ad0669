// "Backup Now" refused: the message, the window left open, and the store
// left exactly as it was.
#include "tests/e2e/driver/cases.h"
#include "tests/e2e/driver/controls.h"
#include "tests/e2e/driver/harness.h"
#include "tests/e2e/driver/program.h"
#include "tests/e2e/driver/samples.h"
#include "tests/e2e/driver/store_files.h"

namespace e2e
{

namespace
{

struct Refusal
{
    const char* what;
    std::vector<std::string> sources;
    std::string destination;
    std::vector<int> ticked;
    const char* caption;
    std::string text;
};

std::vector<Refusal> Refusals()
{
    const std::string source = SampleSources()[0];
    const std::string destination = BackupDestination();
    const std::string stop = " \nDetails:";
    return {
        {"no destination",
         {source},
         "",
         {kPictures},
         "Error",
         "Please Select a Location to Backup To."},
        {"no source",
         {},
         destination,
         {kPictures},
         "Error",
         "Please Select a File or Folder To Backup"},
        {"no file type",
         {source},
         destination,
         {kHidden, kModifiedOnly},
         "Error",
         "Please Select a File Type or System Option"},
        {"source equal to the destination, in other letter case",
         {source, "c:\\E2E\\backup"},
         destination,
         {kPictures},
         "ERROR",
         "Error Duplicate Found. You Cannot Backup c:\\E2E\\backup To " + destination},
        {"source holding the destination",
         {source, "C:\\e2e"},
         destination,
         {kDocuments},
         "ERROR",
         "Error Cannot Backup To " + destination + " From C:\\e2e" + stop +
             "Reccursive(infinite) backup would occur"},
        {"drive root holding the destination",
         {"C:\\"},
         destination,
         {kAllFileTypes},
         "ERROR",
         "Error Cannot Backup To " + destination + " From C:\\" + stop +
             "Reccursive(infinite) backup would occur"},
        // xcopy would wait for ever in its hidden window asking "file or directory?".
        {"single file to a destination that is gone",
         {source + "\\letter.doc"},
         "C:\\e2e\\Gone",
         {kDocuments},
         "ERROR",
         "Error Cannot Find C:\\e2e\\Gone" + stop + "The backup was not started"},
    };
}

void BackupRefusals(Checker& checker)
{
    CreateSamples();
    for (const Refusal& refusal : Refusals())
    {
        checker.Note(refusal.what);
        SeedStore(refusal.sources, refusal.destination, refusal.ticked);
        Program program;
        HWND window = program.Window(checker);
        const FileTree before = StoreSnapshot();
        Click(window, kBackupNow, checker);
        AnswerMessageBox(window, refusal.caption, refusal.text, MB_OK, IDOK, checker);
        checker.Expect(!program.WaitForExit(500),
                       std::string(refusal.what) + ": the window stays open");
        checker.Expect(DescribeDifferences(StoreSnapshot(), before).empty(),
                       std::string(refusal.what) +
                           ": store unchanged:" + DescribeDifferences(StoreSnapshot(), before));
        checker.ExpectEqual(Join(StartsInOrder()), "",
                            std::string(refusal.what) + ": nothing started");
        program.EndWithEscape(checker);
    }
}

} // namespace

std::vector<Case> RefusalCases()
{
    return {{"backup_refusals", BackupRefusals}};
}

} // namespace e2e
