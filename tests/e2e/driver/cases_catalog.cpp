// The "Backup a File as Soon as it is Modified/Saved" box and the catalog
// question it asks while the user's files are not catalogued.
#include "tests/e2e/driver/cases.h"
#include "tests/e2e/driver/controls.h"
#include "tests/e2e/driver/harness.h"
#include "tests/e2e/driver/program.h"
#include "tests/e2e/driver/samples.h"
#include "tests/e2e/driver/store_files.h"
#include "tests/e2e/driver/wait.h"

namespace e2e
{

namespace
{

const std::string kCatalogQuestion =
    "Some Options You Have Selected Require A Cataloging Of Files. They Will Not Be "
    "Enabled Until Files Are Catalogged\n\nDo You Want To Do That Now?";

void CatalogAnsweredYes(Checker& checker)
{
    SeedStore({SampleSources()[0]}, BackupDestination(), {kAllFileTypes, kSystemState});
    {
        Program program;
        HWND window = program.Window(checker);
        Click(window, kBackupOnModify, checker);
        AnswerMessageBox(window, "Catalog Files", kCatalogQuestion, MB_YESNO, IDYES, checker);
        program.ExpectEndsWithSuccess(checker, "Yes to the catalog question");
    }
    checker.ExpectEqual(ReadBytes(InstalledPath("catalog")).value_or("<missing>"), "",
                        "the catalog request");
    checker.Require(WaitForBatchEnd("config.bat", 30000) != -1, "config.bat runs to its end");
    checker.ExpectEqual(Join(StartsInOrder()), "Load.exe:0, config.bat:0",
                        "started, in order, with show state");
    checker.ExpectEqual(ReadBytes(InstalledPath("settings.dat")).value_or("<missing>"),
                        SettingsFor({kAllFileTypes, kBackupOnModify, kSystemState}),
                        "settings.dat");
    checker.ExpectEqual(ReadBytes(InstalledPath("mod.bat")).value_or("<missing>"),
                        ModBatchFor(BackupDestination()), "mod.bat");
    checker.Require(Exists(InstalledPath("cataloged")), "config.bat left the cataloged marker");

    // Once catalogued, the box only toggles.
    Program again;
    HWND window = again.Window(checker);
    checker.Expect(IsTicked(window, kBackupOnModify), "the box starts ticked as saved");
    Click(window, kBackupOnModify, checker);
    checker.Expect(NoMessageBox(window), "no question once the files are catalogued");
    checker.Expect(!IsTicked(window, kBackupOnModify), "the click unticked the box");
    again.EndWithEscape(checker);
}

void CatalogAnsweredNo(Checker& checker)
{
    Program program;
    HWND window = program.Window(checker);
    const FileTree before = StoreSnapshot();
    checker.Expect(IsTicked(window, kBackupOnModify), "the first start ticks the box");
    Click(window, kBackupOnModify, checker);
    AnswerMessageBox(window, "Catalog Files", kCatalogQuestion, MB_YESNO, IDNO, checker);
    checker.Expect(!IsTicked(window, kBackupOnModify), "No leaves the box unticked");
    checker.Expect(!program.WaitForExit(500), "the window stays open");
    checker.Expect(DescribeDifferences(StoreSnapshot(), before).empty(),
                   "No writes nothing:" + DescribeDifferences(StoreSnapshot(), before));
    checker.ExpectEqual(Join(StartsInOrder()), "", "nothing started");
    program.EndWithEscape(checker);
}

} // namespace

std::vector<Case> CatalogCases()
{
    return {
        {"catalog_answered_yes", CatalogAnsweredYes},
        {"catalog_answered_no", CatalogAnsweredNo},
    };
}

} // namespace e2e
