#include "restore/other_backup_folder.h"
#include "tests/native/support/backup_contents.h"
#include "tests/native/support/install.h"

#include <gtest/gtest.h>

// Another backup folder is read as the saved one would be: the saved sources
// with the refusals of the saved plan (here a source that holds the folder),
// whatever the folder's name.
TEST(OtherBackupFolder, AnotherFolderIsReadAsTheSavedOne)
{
    Install install;
    FakeFiles files;
    files.AddFile(kDest + "\\a.doc", 100);
    SaveSelection(install.Directory(), Selection({"E:\\"}, "F:\\Gone", "1000000000"), files);
    auto other = restore::SavedPlanFor(kDest, install.Directory(), files);
    EXPECT_EQ(kDest, other.plan.destination);
    ASSERT_EQ(1u, other.refused.size());
    EXPECT_EQ("E:\\", other.refused[0].path);
    SaveSelection(install.Directory(), Selection({"E:\\"}, kDest, "1000000000"), files);
    const auto read = [&files](companions::SavedPlan saved) {
        return Holdings(*restore::BackupContents::Read(std::move(saved), files));
    };
    const std::vector<std::string> opened = read(std::move(other));
    EXPECT_EQ((std::vector<std::string>{"source E:\\ -> E:\\", "other Other files -> "}), opened);
    companions::SavedPlanRead saved = companions::ReadSavedPlan(install.Directory(), files);
    ASSERT_TRUE(saved.saved);
    EXPECT_EQ(read(std::move(*saved.saved)), opened);

    // A folder whose name no batch could carry (one outside the ANSI code
    // page, say) is read all the same: a restore writes no batch file.
    SaveSelection(install.Directory(), Selection({"C:\\W"}, kDest, "1000000000"), files);
    const auto named = restore::SavedPlanFor("E:\\Back|up", install.Directory(), files);
    EXPECT_TRUE(named.refused.empty());
    EXPECT_FALSE(named.plan.steps.empty());
}
