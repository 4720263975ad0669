// The resident agent that the installer starts: the backup at the end of the
// session, and the catalog that copy on save needs, then copy on save itself.
#include "tests/e2e/driver.h"

namespace e2e
{
namespace
{

// Pictures and Documents of both sources, saved by the window. New, it shows both automation boxes
// ticked; a click on "as soon as modified" unticks it, asking to catalog (No), the next ticks it
// again (Yes: the catalog starts and the window saves and ends).
void SaveSelection(bool catalog)
{
    Program program;
    HWND window = program.Window();
    ASSERT_TRUE(window);
    ASSERT_NO_FATAL_FAILURE(ChoosePicturesAndDocuments(window));
    if (!catalog)
    {
        EXPECT_EQ(program.Close(), 0u);
        return;
    }
    for (int answer : {IDNO, IDYES})
    {
        Click(window, IDC_BACKUP_ON_MODIFY);
        EXPECT_EQ(AnswerMessageBox(window, L"Catalog Files", answer).substr(0, 13),
                  "Some Options ");
    }
    EXPECT_EQ(program.Exit(), 0u);
}

TEST_F(Installed, SessionEndBacksUpTheSavedSelection)
{
    CreateSamples();
    ASSERT_NO_FATAL_FAILURE(SaveSelection(false));
    ASSERT_TRUE(fs::exists(InstalledPath("enableauto")));
    ASSERT_TRUE(WaitFor(AgentRuns)) << "the installer started no agent";
    EXPECT_TRUE(ReadTree(kBackupFolder).empty());
    // Wine sends the end of the session to every top-level window, hidden
    // ones too, and waits for their handlers.
    EXPECT_EQ(Program("wineboot.exe --end-session").Exit(120000), 0u);

    const std::string reports = kBackupFolder + "\\Corvane Backup reports";
    std::string report = "<missing>";
    for (const auto& [name, text] : ReadTree(reports))
        report = text;
    EXPECT_EQ(report, "All 6 files were backed up.\r\n");
    fs::remove_all(fs::u8path(reports));
    EXPECT_EQ(ReadTree(kBackupFolder), PictureAndDocumentCopies());
}

TEST_F(Installed, CatalogThenCopyOnSave)
{
    CreateSamples();
    ASSERT_NO_FATAL_FAILURE(SaveSelection(true));
    // The hidden Load.exe of the catalog flow, once the window has ended.
    EXPECT_TRUE(WaitFor([] {
        return fs::exists(InstalledPath("cataloged")) && !fs::exists(InstalledPath("catalog"));
    }));
    ASSERT_TRUE(fs::exists(InstalledPath("mod.bat")));
    ASSERT_TRUE(WaitFor(AgentRuns)) << "the installer started no agent";
    // The agent watches the sources only once it has read the new markers,
    // after two quiet seconds: each round saves fresh.bin, then fresh.doc, with
    // new bytes, until fresh.doc's copy shows them. Wine reports changes at the
    // top of a watched folder, not in its older subfolders.
    const auto save = [](const std::string& bytes) {
        WriteBytes(kSources[1] + "\\fresh.bin", bytes);
        WriteBytes(kSources[1] + "\\fresh.doc", bytes);
        return WaitFor(
            [&] { return ReadBytes(kBackupFolder + "\\" + CopyOf(1, "fresh.doc")) == bytes; },
            5000);
    };
    int round = 0;
    ASSERT_TRUE(WaitFor([&] { return save("saved " + std::to_string(++round)); }, 60000));
    // Once more, now that the agent surely watches: fresh.bin, saved before
    // fresh.doc was copied, is no document and is not copied.
    EXPECT_TRUE(save("saved again"));
    EXPECT_FALSE(fs::exists(fs::u8path(kBackupFolder + "\\" + CopyOf(1, "fresh.bin"))));
    // Nothing else was copied: only the saved file.
    EXPECT_EQ(ReadTree(kBackupFolder).size(), 1u);
}

} // namespace
} // namespace e2e
