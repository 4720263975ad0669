#include "flows/load_store.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

namespace
{

flows::LoadedStore Load(const FileMap& files)
{
    Install install;
    install.Write(files);
    return flows::LoadStore(install.Directory());
}

} // namespace

// Nothing saved yet: the defaults, and empty files for the list and the
// destination, but no settings.dat, which alone tells a first run.
TEST(LoadStore, FirstRunTicksTheDefaults)
{
    Install install;
    const flows::LoadedStore loaded = flows::LoadStore(install.Directory());
    EXPECT_EQ(Selection({}, "", "1110000010").flags, loaded.ticked);
    EXPECT_TRUE(loaded.typeBoxesLocked);
    EXPECT_EQ((FileMap{{"data.dat", ""}, {"filestobackup.bck", ""}}), install.Files());
}

// A token's value is its last character before ";": only "1" ticks. The lock
// disables the type boxes without unticking the saved ones.
TEST(LoadStore, SettingsReadingRules)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", "0000000000"},
        {"1;1;1;1;1;1;1;1;1;1;1;0;", "1111111111"},
        {"10;01;;", "0110000000"},
        {"1;\r\n1;\r\n;1", "1100000000"},
        {"1;0;0;1;0;0;0;1;0;0;", "1001000100"},
    };
    for (const auto& [text, ticks] : cases)
    {
        SCOPED_TRACE('"' + text + '"');
        const flows::LoadedStore loaded = Load({{"settings.dat", text}});
        EXPECT_EQ(Selection({}, "", ticks).flags, loaded.ticked);
        EXPECT_EQ(ticks[0] == '1', loaded.typeBoxesLocked);
    }
}

// One entry per line end, empty lines and "System State" included; text after
// the last line end is no entry. The destination is the first line, however
// long. Only a carriage return right before a line feed belongs to the line end.
TEST(LoadStore, SourceAndDestinationReadingRules)
{
    const std::string longPath = "E:\\" + std::string(300, 'x');
    const std::tuple<std::string, std::vector<std::string>, std::string, std::string> cases[] = {
        {"C:\\Data", {}, longPath + "\r\nF:\\Other", longPath},
        {"C:\\a\n\r\nSystem State\r\nD:\\cut off", {"C:\\a", "", "System State"}, "\r\nE:\\", ""},
        {"a\rb\r\r\n\r", {"a\rb\r"}, "E:\\a\r", "E:\\a\r"},
    };
    for (const auto& [list, sources, data, destination] : cases)
    {
        SCOPED_TRACE('"' + list + '"');
        const flows::LoadedStore loaded = Load({{"filestobackup.bck", list}, {"data.dat", data}});
        EXPECT_EQ(sources, loaded.sources);
        EXPECT_EQ(destination, loaded.destination);
    }
}
