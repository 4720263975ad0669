// The "Backup a File as Soon as it is Modified/Saved" box and the catalog
// question it asks while the user's files are not catalogued.
#include "tests/e2e/driver/fixtures.h"

namespace e2e
{

namespace
{

const std::string kCatalogQuestion =
    "Some Options You Have Selected Require A Cataloging Of Files. They Will Not Be "
    "Enabled Until Files Are Catalogged\n\nDo You Want To Do That Now?";

void CatalogAnsweredYes()
{
    SeedStore({kSources[0]}, kBackupFolder, {kAllFileTypes, kSystemState});
    {
        Program program;
        Click(program.Window(), kBackupOnModify);
        AnswerMessageBox(program.Window(), "Catalog Files", kCatalogQuestion, IDYES);
        program.ExpectEnds("Yes to the catalog question");
    }
    ExpectEqual(ReadBytes(InstalledPath("catalog")), "", "the catalog request");
    Require(WaitForBatchEnd("config.bat", 30000) != -1, "config.bat runs to its end");
    ExpectEqual(StartsInOrder(), "Load.exe:0, config.bat:0", "started, in order, with show state");
    ExpectEqual(ReadBytes(InstalledPath("settings.dat")),
                SettingsFor({kAllFileTypes, kBackupOnModify, kSystemState}), "settings.dat");
    ExpectEqual(ReadBytes(InstalledPath("mod.bat")), ModBatchFor(kBackupFolder), "mod.bat");
    Require(Exists(InstalledPath("cataloged")), "config.bat left the cataloged marker");

    // Once catalogued, the box only toggles.
    Program again;
    HWND window = again.Window();
    Expect(IsTicked(window, kBackupOnModify), "the box starts ticked as saved");
    Click(window, kBackupOnModify);
    Expect(NoMessageBox(window), "no question once the files are catalogued");
    Expect(!IsTicked(window, kBackupOnModify), "the click unticked the box");
    again.Close(true);
}

void CatalogAnsweredNo()
{
    Program program;
    HWND window = program.Window();
    const FileTree before = StoreSnapshot();
    Expect(IsTicked(window, kBackupOnModify), "the first start ticks the box");
    Click(window, kBackupOnModify);
    AnswerMessageBox(window, "Catalog Files", kCatalogQuestion, IDNO);
    Expect(!IsTicked(window, kBackupOnModify), "No leaves the box unticked");
    Expect(!program.WaitForExit(500), "the window stays open");
    ExpectTree(StoreSnapshot(), before, "the store after No");
    ExpectEqual(StartsInOrder(), "", "nothing started");
    program.Close(true);
}

} // namespace

std::vector<Case> CatalogCases()
{
    return {{"catalog_answered_yes", CatalogAnsweredYes},
            {"catalog_answered_no", CatalogAnsweredNo}};
}

} // namespace e2e
