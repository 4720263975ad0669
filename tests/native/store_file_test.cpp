#include "store/store_file.h"
#include "tests/native/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

// A missing install folder or a folder in place of the file: every write
// fails and nothing appears or goes away.
TEST(StoreFile, UnusablePathIsNeitherReadNorWritten)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.PathOf("mod.bat"));
    for (const std::string& path :
         {folder.PathOf("missing") + "/data.dat", folder.PathOf("mod.bat")})
    {
        SCOPED_TRACE(path);
        EXPECT_FALSE(store::TruncateWrite(path, "C:\\Backup"));
        EXPECT_EQ("", store::CreateRead(path));
        EXPECT_FALSE(store::TestRead(path));
    }
    EXPECT_TRUE(store::Delete(folder.PathOf("missing") + "/data.dat"));
    EXPECT_FALSE(store::Delete(folder.PathOf("mod.bat")));
    EXPECT_EQ((FileMap{{"mod.bat", "<folder>"}}), folder.Files());
}

#ifdef _WIN32
TEST(StoreFile, FindsStoreFileWhateverTheLetterCase)
{
    TempFolder folder;
    folder.Write("Settings.DAT", "1;\r\n");
    const std::string path = folder.PathOf("settings.dat");
    EXPECT_TRUE(store::TestRead(path));
    EXPECT_EQ("1;\n", store::CreateRead(path));
    ASSERT_TRUE(store::TruncateWrite(path, "1;"));
    EXPECT_EQ(1u, folder.Files().size());
    EXPECT_EQ("1;", folder.Read("settings.DAT"));
    EXPECT_TRUE(store::Delete(path));
    EXPECT_TRUE(folder.Files().empty());
}
#endif

// Long texts go to the disk in pieces: no line end may be split, lost or
// doubled where one piece ends, and a line longer than a piece stays whole.
TEST(StoreFile, LongTextKeepsEveryByteAndLineEnd)
{
    std::string lines;
    for (int i = 0; lines.size() < 300000; ++i)
        lines += std::string(static_cast<size_t>(i % 97), 'a' + static_cast<char>(i % 26)) + "\n";
    const std::string texts[] = {
        lines,
        std::string(200000, 'x'),
        "\n" + std::string(65533, 'y') + "\n\n\r" + std::string(70000, 'z') + "\r\n",
    };
    TempFolder folder;
    const std::string path = folder.PathOf("filestobackup.bck");
    for (const std::string& text : texts)
    {
        std::string expected;
        for (const char c : text)
            expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
        ASSERT_TRUE(store::TruncateWrite(path, text));
        EXPECT_TRUE(folder.Read("filestobackup.bck") == expected);
        EXPECT_TRUE(store::CreateRead(path) == text);
    }
}
