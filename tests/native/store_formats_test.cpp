#include "store/store_file.h"
#include "store/store_formats.h"
#include "tests/native/temp_folder.h"
#include "tests/native/test_selection.h"

#include <gtest/gtest.h>

TEST(SettingsFormat, ReadingRules)
{
    const struct
    {
        std::string text;
        std::string ticks;
    } cases[] = {
        {"", "0000000000"},        {"1;1;1;1;1;1;1;1;1;1;1;0;", "1111111111"},
        {"1;1;", "1100000000"},    {";;", "0000000000"},
        {"1;;0;;", "1100000000"},  {"10;01;", "0100000000"},
        {"1;\n;1", "1000000000"},  {"0;0;0;0;0;0;0;0;0;0;1;", "0000000000"},
        {"x;1;a1;", "0110000000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Ticks(c.ticks), store::ParseSettings(c.text)) << '"' << c.text << '"';
}

TEST(SettingsFormat, WritesTenTokensInFlagOrderAndReadsThemBack)
{
    EXPECT_EQ("1;1;1;0;0;0;0;0;1;0;", store::FormatSettings(Ticks("1110000010")));
    for (unsigned mask = 0; mask < (1u << kOptionFlagCount); ++mask)
    {
        store::OptionFlags flags{};
        for (int i = 0; i < kOptionFlagCount; ++i)
            flags[i] = (mask >> i) & 1;
        const std::string text = store::FormatSettings(flags);
        ASSERT_EQ(20u, text.size());
        ASSERT_EQ(flags, store::ParseSettings(text)) << text;
    }
}

TEST(SourceListFormat, ReadingRules)
{
    const struct
    {
        std::string text;
        std::vector<std::string> sources;
    } cases[] = {
        {"", {}},
        {"C:\\a", {}},
        {"\n", {""}},
        {"C:\\a\n\nD:\\b", {"C:\\a", ""}},
        {"C:\\a\nSystem State\nC:\\a\n", {"C:\\a", "System State", "C:\\a"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.sources, store::ParseSourceList(c.text)) << '"' << c.text << '"';
}

TEST(DestinationFormat, ReadsFirstLineWhole)
{
    const std::string longPath = "D:\\" + std::string(300, 'x');
    EXPECT_EQ(longPath, store::ParseDestination(longPath));
    EXPECT_EQ("D:\\Backup", store::ParseDestination("D:\\Backup\nE:\\Other\n"));
    EXPECT_EQ("", store::ParseDestination("\nD:\\Backup"));
}

TEST(StoreFormats, StoreFilesRoundTripWithWindowsBytes)
{
    TempFolder folder;
    const std::vector<std::string> sources = {"C:\\My Files", "", "D:\\x.doc"};
    const std::string list = folder.PathOf("filestobackup.bck");
    ASSERT_TRUE(store::TruncateWrite(list, store::FormatSourceList(sources)));
    EXPECT_EQ("C:\\My Files\r\n\r\nD:\\x.doc\r\n", folder.Read("filestobackup.bck"));
    EXPECT_EQ(sources, store::ParseSourceList(store::CreateRead(list)));

    folder.Write("settings.dat", "1;\r\n1;\r\n;");
    EXPECT_EQ(Ticks("1100000000"),
              store::ParseSettings(store::CreateRead(folder.PathOf("settings.dat"))));
    folder.Write("data.dat", "E:\\Backup\r\nrest");
    EXPECT_EQ("E:\\Backup", store::ParseDestination(store::CreateRead(folder.PathOf("data.dat"))));
}
