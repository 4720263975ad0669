#include "store/store_file.h"
#include "tests/native/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>

TEST(StoreFile, WritesLineEndsAsCarriageReturnLineFeed)
{
    TempFolder folder;
    const std::string path = folder.PathOf("filestobackup.bck");
    ASSERT_TRUE(store::AppendWrite(path, "C:\\a\n"));
    ASSERT_TRUE(store::AppendWrite(path, "\nD:\\b\n"));
    EXPECT_EQ("C:\\a\r\n\r\nD:\\b\r\n", folder.Read("filestobackup.bck"));

    ASSERT_TRUE(store::TruncateWrite(path, "x\ny"));
    EXPECT_EQ("x\r\ny", folder.Read("filestobackup.bck"));
    ASSERT_TRUE(store::TruncateWrite(path, ""));
    EXPECT_EQ("", folder.Read("filestobackup.bck"));
    EXPECT_FALSE(folder.Exists("filestobackup.bck.tmp"));
}

TEST(StoreFile, CreateReadDropsOnlyCarriageReturnsBeforeLineFeeds)
{
    TempFolder folder;
    folder.Write("data.dat", "a\r\nb\rc\r\r\n\r");
    EXPECT_EQ("a\nb\rc\r\n\r", store::CreateRead(folder.PathOf("data.dat")));
}

TEST(StoreFile, CreateReadCreatesMissingFileEmptyAndTestReadCreatesNothing)
{
    TempFolder folder;
    EXPECT_FALSE(store::TestRead(folder.PathOf("settings.dat")));
    EXPECT_FALSE(folder.Exists("settings.dat"));

    EXPECT_EQ("", store::CreateRead(folder.PathOf("settings.dat")));
    EXPECT_EQ("", folder.Read("settings.dat"));
    EXPECT_TRUE(store::TestRead(folder.PathOf("settings.dat")));
}

TEST(StoreFile, DeleteRemovesFileAndAcceptsMissingOne)
{
    TempFolder folder;
    folder.Write("enableauto", "");
    EXPECT_TRUE(store::Delete(folder.PathOf("enableauto")));
    EXPECT_FALSE(folder.Exists("enableauto"));
    EXPECT_TRUE(store::Delete(folder.PathOf("enableauto")));
}

TEST(StoreFile, MissingFolderFailsWritesAndLeavesNothing)
{
    TempFolder folder;
    const std::string path = folder.PathOf("missing") + "/data.dat";
    EXPECT_FALSE(store::TruncateWrite(path, "C:\\Backup"));
    EXPECT_FALSE(store::AppendWrite(path, "C:\\a\n"));
    EXPECT_EQ("", store::CreateRead(path));
    EXPECT_FALSE(store::TestRead(path));
    EXPECT_TRUE(store::Delete(path));
    EXPECT_FALSE(folder.Exists("missing"));
}

TEST(StoreFile, FolderInPlaceOfFileIsNeitherReadNorReplaced)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.PathOf("mod.bat"));
    const std::string path = folder.PathOf("mod.bat");
    EXPECT_FALSE(store::AppendWrite(path, "x"));
    EXPECT_EQ("", store::CreateRead(path));
    EXPECT_FALSE(store::TestRead(path));
    EXPECT_FALSE(store::Delete(path));
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

#ifdef _WIN32
TEST(StoreFile, FindsStoreFileWhateverTheLetterCase)
{
    TempFolder folder;
    folder.Write("Settings.DAT", "1;\r\n");
    const std::string path = folder.PathOf("settings.dat");
    EXPECT_TRUE(store::TestRead(path));
    EXPECT_EQ("1;\n", store::CreateRead(path));

    ASSERT_TRUE(store::AppendWrite(path, "0;"));
    EXPECT_EQ("1;\r\n0;", folder.Read("SETTINGS.dat"));
    ASSERT_TRUE(store::TruncateWrite(path, "1;"));
    EXPECT_EQ("1;", folder.Read("settings.DAT"));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder.Path()),
                               std::filesystem::directory_iterator()));

    EXPECT_TRUE(store::Delete(path));
    EXPECT_FALSE(folder.Exists("Settings.DAT"));
}
#endif
