#include "companions/saved_plan.h"
#include "companions/saved_selection.h"
#include "companions/virtual_drive.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>

namespace
{

// Answers as if no letter were taken: only the text told matters here.
struct NoLetters : companions::DriveLetters
{
    std::uint32_t Used() override { return 0; }
    std::string TargetOf(char) override { return {}; }
    bool Define(char, const std::string&) override { return true; }
    bool Remove(char, const std::string&) override { return true; }
};

} // namespace

// A store file that is there but cannot be read (a folder of its name here)
// is no empty selection, as it is no first run for the window: nothing is
// planned, and the companions name the file.
TEST(SavedPlan, AnUnreadableStoreFileIsNamedNeverReadAsEmpty)
{
    const InstallDirectory directory(P("/install"));
    for (const char* name : {kFilesToBackupFile, kDataFile, kSettingsFile})
    {
        FakeFiles files;
        SaveSelection(directory, Selection({P("/u/docs")}, P("/b"), "1000000000"), files);
        files.Remove(directory.PathOf(name));
        files.MakeFolders(directory.PathOf(name));
        const companions::SavedPlanRead read = companions::ReadSavedPlan(directory, files);
        EXPECT_FALSE(read.saved) << name;
        EXPECT_EQ(directory.PathOf(name), read.unreadable);
        NoLetters letters;
        EXPECT_EQ("Cannot read the saved selection: " + directory.PathOf(name),
                  companions::ToggleVirtualDrive(directory, letters, files, {}).text);
    }
    FakeFiles none;
    EXPECT_EQ("", companions::ReadSavedPlan(directory, none).unreadable);
}
