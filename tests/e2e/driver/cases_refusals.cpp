// "Backup Now" refused: the message, the window left open, the store left
// exactly as it was, and nothing started.
#include "tests/e2e/driver/fixtures.h"

namespace e2e
{

namespace
{

struct Selection
{
    std::vector<std::string> sources;
    std::string destination;
    std::vector<int> ticked;
};

struct Refusal
{
    Selection selection;
    struct
    {
        std::string caption;
        std::string text;
    } message;
};

void BackupRefusals()
{
    CreateSamples();
    const std::string& source = kSources[0];
    const std::string& to = kBackupFolder;
    const std::string recursion = " \nDetails:Reccursive(infinite) backup would occur";
    const Refusal refusals[] = {
        {{{source}, "", {kPictures}}, {"Error", "Please Select a Location to Backup To."}},
        {{{}, to, {kPictures}}, {"Error", "Please Select a File or Folder To Backup"}},
        {{{source}, to, {kHidden, kModifiedOnly}},
         {"Error", "Please Select a File Type or System Option"}},
        // The same folder in other letter case.
        {{{source, "c:\\E2E\\backup"}, to, {kPictures}},
         {"ERROR", "Error Duplicate Found. You Cannot Backup c:\\E2E\\backup To " + to}},
        {{{source, "C:\\e2e"}, to, {kDocuments}},
         {"ERROR", "Error Cannot Backup To " + to + " From C:\\e2e" + recursion}},
        {{{"C:\\"}, to, {kAllFileTypes}},
         {"ERROR", "Error Cannot Backup To " + to + " From C:\\" + recursion}},
        // xcopy would wait for ever in its hidden window asking "file or directory?".
        {{{source + "\\letter.doc"}, "C:\\e2e\\Gone", {kDocuments}},
         {"ERROR", "Error Cannot Find C:\\e2e\\Gone \nDetails:The backup was not started"}},
    };
    for (const auto& [selection, message] : refusals)
    {
        const std::string what = message.text.substr(0, 40) + "...: ";
        SeedStore(selection.sources, selection.destination, selection.ticked);
        Program program;
        HWND window = program.Window();
        const FileTree before = StoreSnapshot();
        Click(window, kBackupNow);
        AnswerMessageBox(window, message.caption, message.text, IDOK);
        Expect(!program.WaitForExit(500), what + "the window stays open");
        ExpectTree(StoreSnapshot(), before, what + "the store unchanged");
        ExpectEqual(StartsInOrder(), "", what + "nothing started");
        program.Close(true);
    }
}

} // namespace

std::vector<Case> RefusalCases()
{
    return {{"backup_refusals", BackupRefusals}};
}

} // namespace e2e
