#include "companions/backup_folder.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/install.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>

namespace
{

const platform::Computer kThis{"id-this", "LAPTOP"};
const std::string kIdFile = "\\Corvane Backup reports\\backup id.txt";

void WriteIds(FakeFiles& files, const std::string& folder, const std::string& ids)
{
    files.AddFile(folder + kIdFile, 0);
    files.bytes[folder + kIdFile] = ids;
}

} // namespace

// A folder is this computer's backup only while its id file names it; the
// id is added beside other computers', and never into a folder not there.
TEST(BackupFolder, KnowsItsOwnFolderByItsId)
{
    FakeFiles files;
    files.AddFolder("E:\\Blank", false);
    files.AddFolder("E:\\Old\\Corvane Backup reports", false);
    WriteIds(files, "E:\\Shared", "id-other\r\nDESK\r\n");
    const std::pair<const char*, companions::FolderMark> marks[] = {
        {"E:\\Blank", companions::FolderMark::Blank},
        {"E:\\Old", companions::FolderMark::Unmarked},
        {"E:\\Shared", companions::FolderMark::Others}};
    for (const auto& [folder, mark] : marks)
    {
        EXPECT_EQ(mark, companions::MarkOf(folder, kThis.id, files)) << folder;
        EXPECT_TRUE(companions::MarkAsOurs(folder, kThis, files));
        EXPECT_EQ(companions::FolderMark::Ours, companions::MarkOf(folder, kThis.id, files));
    }
    EXPECT_EQ("id-other\r\nDESK\r\nid-this\r\nLAPTOP\r\n", files.bytes["E:\\Shared" + kIdFile]);
    EXPECT_FALSE(companions::MarkAsOurs("E:\\Gone", kThis, files));
    EXPECT_FALSE(files.Facts("E:\\Gone"));
}

// A destination on a letter that is gone is found on another disk by this
// computer's id, and the plan follows it there; a share, or a folder of the
// same name with another id, is never taken for it.
TEST(BackupFolder, FollowsTheDiskToAnotherLetter)
{
    Install install;
    FakeFiles files;
    const companions::MovedBackupSearch search{{"C:\\", "E:\\", "F:\\", "G:\\"}, kThis.id};
    WriteIds(files, "F:\\Backup", "id-other\r\nDESK\r\n");
    WriteIds(files, "G:\\Backup", "id-this\r\nLAPTOP\r\n");
    files.AddFile("C:\\Docs\\a.txt", 1);
    EXPECT_EQ("G:\\Backup", companions::FindMovedBackup("E:\\Backup", search, files));
    EXPECT_EQ(std::nullopt, companions::FindMovedBackup("\\\\nas\\b\\Backup", search, files));

    SaveSelection(install.Directory(), Selection({"C:\\Docs"}, "E:\\Backup", "1000000000"), files);
    const auto followed =
        companions::FollowMovedBackup(*companions::ReadSavedPlan(install.Directory(), files).saved,
                                      install.Directory(), search, files);
    EXPECT_EQ("G:\\Backup", followed.plan.destination);
    EXPECT_EQ("Your backup folder E:\\Backup cannot be found.",
              companions::DestinationNotThereText("E:\\Backup", files));
    files.denied.insert("\\\\nas\\b\\Backup");
    EXPECT_EQ("Your backup folder \\\\nas\\b\\Backup cannot be opened: access denied.",
              companions::DestinationNotThereText("\\\\nas\\b\\Backup", files));
}
