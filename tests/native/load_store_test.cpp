#include "store/load_store.h"
#include "tests/native/temp_folder.h"
#include "tests/native/test_selection.h"

#include <gtest/gtest.h>

TEST(LoadStore, FirstStartTicksDefaultsAndCreatesOnlyTheListAndDestination)
{
    TempFolder folder;
    const store::LoadedStore loaded = store::LoadStore(InstallDirectory(folder.Path()));
    EXPECT_TRUE(loaded.sources.empty());
    EXPECT_EQ("", loaded.destination);
    EXPECT_EQ(Ticks("1110000010"), loaded.ticked);
    EXPECT_TRUE(loaded.typeBoxesLocked);
    EXPECT_EQ("", folder.Read("filestobackup.bck"));
    EXPECT_EQ("", folder.Read("data.dat"));
    EXPECT_FALSE(folder.Exists("settings.dat"));
    EXPECT_FALSE(folder.Exists("enableauto"));
    EXPECT_FALSE(folder.Exists("mod.bat"));
}

TEST(LoadStore, SavedSettingsReplaceTheFirstRunOnes)
{
    const struct
    {
        std::string settings;
        std::string ticks;
        bool locked;
    } cases[] = {
        // Present but empty: a selection saved with nothing ticked.
        {"", "0000000000", false},
        // The lock disables the type boxes without unticking the saved ones.
        {"1;0;0;1;0;0;0;0;0;0;", "1001000000", true},
        {"0;1;1;0;0;0;0;0;1;1;", "0110000011", false},
    };
    for (const auto& c : cases)
    {
        TempFolder folder;
        folder.Write("settings.dat", c.settings);
        const store::LoadedStore loaded = store::LoadStore(InstallDirectory(folder.Path()));
        EXPECT_EQ(Ticks(c.ticks), loaded.ticked) << c.settings;
        EXPECT_EQ(c.locked, loaded.typeBoxesLocked) << c.settings;
    }
}

TEST(LoadStore, ReadsEveryListedSourceAndTheWholeDestination)
{
    TempFolder folder;
    folder.Write("filestobackup.bck", "C:\\Data\r\n\r\nSystem State\r\nD:\\cut off");
    const std::string longDestination = "E:\\" + std::string(300, 'b');
    folder.Write("data.dat", longDestination + "\r\nF:\\Other");
    const store::LoadedStore loaded = store::LoadStore(InstallDirectory(folder.Path()));
    EXPECT_EQ((std::vector<std::string>{"C:\\Data", "", "System State"}), loaded.sources);
    EXPECT_EQ(longDestination, loaded.destination);
}
