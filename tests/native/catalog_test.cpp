// The window's companions: the catalog, its flow, and vd.exe.
#include "agent/catalog.h"
#include "companions/virtual_drive.h"
#include "flows/option_files.h"
#include "tests/native/agent_support.h"

#include <gtest/gtest.h>
#include <map>

// The catalog clears the bit of every file of the saved sources, hidden ones
// included, and says so with its marker only once that is done.
TEST(Catalog, ClearsEveryArchiveBitThenLeavesTheMarker)
{
    const InstallDirectory directory(P("/install"));
    FakeFiles files;
    files.AddFile(P("/u/docs/a.txt"), 1);
    files.AddFolder(P("/u/docs/h"), true);
    files.AddFile(P("/u/docs/h/b.exe"), 1, true);
    files.AddFile(P("/v/x.doc"), 1);
    SaveSelection(directory, Selection({P("/u/docs"), P("/v/x.doc"), P("/gone")}, "", ""), files);
    files.Replace(directory.PathOf(kCatalogMarker), "");

    EXPECT_EQ(agent::CatalogOutcome::Done, agent::RunCatalog(directory, files));
    for (const char* path : {"/u/docs/a.txt", "/u/docs/h/b.exe", "/v/x.doc"})
        EXPECT_FALSE(files.entries[P(path)].archive) << path;
    EXPECT_EQ("", store::Read(directory.PathOf(kCatalogedMarker), files).text);
    EXPECT_FALSE(files.Facts(directory.PathOf(kCatalogMarker)));

    // A marker that cannot be written leaves the request for the next click.
    files.Remove(directory.PathOf(kCatalogedMarker));
    files.MakeFolders(directory.PathOf(kCatalogedMarker));
    files.Replace(directory.PathOf(kCatalogMarker), "");
    EXPECT_EQ(agent::CatalogOutcome::MarkerNotWritten, agent::RunCatalog(directory, files));
    EXPECT_TRUE(files.Facts(directory.PathOf(kCatalogMarker)));
}

// The request, then Load.exe and config.bat, hidden. A request that cannot be
// written starts nothing; a program that cannot be started stops the flow and
// takes the request back, so that nothing half-started waits for it.
TEST(CatalogFlow, RequestsThenStartsBothHiddenOrSaysWhatFailed)
{
    // The file that fails, the error (empty: none), the starts, what is left.
    const std::tuple<std::string, std::string, size_t, FileMap> cases[] = {
        {"", "", 2, {{"catalog", ""}}},
        {"catalog", "Error Cannot Write ", 0, {{"catalog", "<folder>"}}},
        {"Load.exe", "Error Cannot Start ", 1, {}},
        {"config.bat", "Error Cannot Start ", 2, {}},
    };
    for (const auto& [failing, error, starts, left] : cases)
    {
        SCOPED_TRACE(failing);
        Install folder;
        const InstallDirectory directory(folder.Path());
        RecordingShell shell;
        if (failing == "catalog")
            std::filesystem::create_directory(folder.PathOf("catalog"));
        else
            shell.refused = {directory.PathOf(failing)};

        const std::optional<Message> failure =
            flows::StartCatalogFlow(directory, shell, platform::LocalFiles());

        EXPECT_EQ(error.empty() ? std::nullopt
                                : std::optional(Error(error + directory.PathOf(failing) +
                                                      " \nDetails:The catalog was not started")),
                  failure);
        Starts expected = {{directory.PathOf("Load.exe"), kShowHidden},
                           {directory.PathOf("config.bat"), kShowHidden}};
        expected.resize(starts);
        EXPECT_EQ(expected, shell.starts);
        EXPECT_EQ(left, folder.Files());
    }
}

namespace
{

// Drive letters as a table; records what was defined and removed.
struct FakeLetters : companions::DriveLetters
{
    std::uint32_t used = 1u << ('C' - 'A');
    std::map<char, std::string> targets;
    bool refuse = false;

    std::uint32_t Used() override { return used; }
    std::string TargetOf(char letter) override { return targets[letter]; }
    bool Define(char letter, const std::string& folder) override
    {
        if (!refuse)
            targets[letter] = "\\??\\" + folder;
        return !refuse;
    }
    bool Remove(char letter, const std::string&) override
    {
        targets.erase(letter);
        return !refuse;
    }
};

} // namespace

// The destination's letter goes; otherwise it gets the first free letter
// from Z: down, as subst gives them.
TEST(VirtualDrive, TogglesTheLetterOfTheSavedDestination)
{
    Install install;
    const std::string here = install.Path();
    const auto toggle = [&](FakeLetters& letters, const std::string& destination) {
        install.Write(kDataFile, destination);
        const Message told =
            companions::ToggleVirtualDrive(InstallDirectory(here), letters, platform::LocalFiles());
        EXPECT_EQ("Corvane Backup", told.caption);
        EXPECT_EQ(0x40u, told.type);
        return told.text;
    };
    FakeLetters letters;
    letters.used |= 1u << ('Z' - 'A');
    letters.targets['Y'] = "\\??\\D:\\Other";
    EXPECT_EQ("Your backup folder " + here + " is now drive X:.", toggle(letters, here));
    EXPECT_EQ("\\??\\" + here, letters.targets['X']);
    // Letter case and a closing backslash name the same folder.
    std::string upper = here;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    letters.targets['X'] = "\\??\\" + upper + "\\";
    EXPECT_EQ("Drive X: no longer shows your backup folder.", toggle(letters, here));
    EXPECT_EQ(0u, letters.targets.count('X'));

    EXPECT_EQ("Choose a folder to back up to first.", toggle(letters, ""));
    EXPECT_EQ("Your backup folder " + here + "-gone cannot be found.",
              toggle(letters, here + "-gone"));
    letters.refuse = true;
    EXPECT_EQ("Your backup folder " + here + " cannot be given a drive letter.",
              toggle(letters, here));
    letters.targets['Q'] = "\\??\\" + here;
    EXPECT_EQ("Drive Q: cannot be removed.", toggle(letters, here));
}
