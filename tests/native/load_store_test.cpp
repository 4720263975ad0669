#include "flows/load_store.h"
#include "tests/native/temp_folder.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

namespace
{

flows::LoadedStore Load(const FileMap& files)
{
    TempFolder folder;
    folder.Write(files);
    return flows::LoadStore(InstallDirectory(folder.Path()));
}

} // namespace

TEST(LoadStore, FirstRunTicksTheDefaultsAndCreatesOnlyTheListAndDestination)
{
    TempFolder folder;
    const flows::LoadedStore loaded = flows::LoadStore(InstallDirectory(folder.Path()));
    EXPECT_TRUE(loaded.sources.empty());
    EXPECT_EQ("", loaded.destination);
    EXPECT_EQ(Ticks("1110000010"), loaded.ticked);
    EXPECT_TRUE(loaded.typeBoxesLocked);
    EXPECT_EQ((FileMap{{"data.dat", ""}, {"filestobackup.bck", ""}}), folder.Files());
}

// A token's value is its last character before ";": only "1" ticks.
TEST(LoadStore, SettingsReadingRules)
{
    const std::pair<std::string, std::string> cases[] = {
        // Present but empty: saved with nothing ticked, not a first run.
        {"", "0000000000"},
        {"1;1;1;1;1;1;1;1;1;1;1;0;", "1111111111"},
        {"1;1;", "1100000000"},
        {";;", "0000000000"},
        {"10;01;", "0100000000"},
        {"1;;0;;", "1100000000"},
        {"1;\r\n1;\r\n;", "1100000000"},
        // The lock disables the type boxes without unticking the saved ones.
        {"1;0;0;1;0;0;0;0;0;0;", "1001000000"},
    };
    for (const auto& [text, ticks] : cases)
    {
        SCOPED_TRACE('"' + text + '"');
        const flows::LoadedStore loaded = Load({{"settings.dat", text}});
        EXPECT_EQ(Ticks(ticks), loaded.ticked);
        EXPECT_EQ(ticks[0] == '1', loaded.typeBoxesLocked);
    }
}

// One entry per line end, empty lines and "System State" included; text
// after the last line end is no entry. The destination is the first line.
TEST(LoadStore, SourceAndDestinationReadingRules)
{
    const std::string longPath = "E:\\" + std::string(300, 'x');
    const struct
    {
        std::string list;
        std::vector<std::string> sources;
        std::string data;
        std::string destination;
    } cases[] = {
        {"C:\\Data", {}, longPath, longPath},
        {"C:\\Data\r\n\r\nSystem State\r\nD:\\cut off",
         {"C:\\Data", "", "System State"},
         longPath + "\r\nF:\\Other",
         longPath},
        {"C:\\a\n\nD:\\b\r\n", {"C:\\a", "", "D:\\b"}, "\r\nE:\\Backup", ""},
        // Only a carriage return right before a line feed belongs to the line end.
        {"a\rb\r\r\n\r", {"a\rb\r"}, "E:\\a\r", "E:\\a\r"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE('"' + c.list + '"');
        const flows::LoadedStore loaded =
            Load({{"filestobackup.bck", c.list}, {"data.dat", c.data}});
        EXPECT_EQ(c.sources, loaded.sources);
        EXPECT_EQ(c.destination, loaded.destination);
    }
}
