// What the window shows when it opens, from each shape of the store.
#include "tests/win/app/dialog_harness.h"

#include <array>
#include <gtest/gtest.h>

namespace
{

// The ten boxes in the order settings.dat keeps them.
constexpr std::array<int, 10> kOptionBoxes{IDC_ALL_FILE_TYPES,
                                           IDC_AUTO_ON_SHUTDOWN,
                                           IDC_BACKUP_ON_MODIFY,
                                           IDC_PICTURES,
                                           IDC_AUDIO,
                                           IDC_VIDEO,
                                           IDC_DOCUMENTS,
                                           IDC_HIDDEN,
                                           IDC_SYSTEM_STATE,
                                           IDC_MODIFIED_ONLY};

struct SettingsCase
{
    const char* name;
    const char* settings; // null: no settings.dat
    const char* ticked;   // one '1' or '0' per box, settings.dat order
    bool typeBoxesLocked;
};

const SettingsCase kSettingsCases[] = {
    {"FirstRun", nullptr, "1110000010", true},
    {"EmptyFile", "", "0000000000", false},
    {"LockedWithPicturesTicked", "1;0;0;1;0;0;0;0;0;0;", "1001000000", true},
    {"TwelveTokens", "1;1;1;1;1;1;1;1;1;1;1;0;", "1111111111", true},
    {"TwoTokens", "1;1;", "1100000000", true},
    {"UnlockedTypes", "0;0;0;0;1;1;0;1;0;1;", "0000110101", false},
};

class SettingsLoad : public testing::TestWithParam<SettingsCase>
{
};

TEST_P(SettingsLoad, TicksAndLocksTheBoxes)
{
    const SettingsCase& c = GetParam();
    DialogFixture f;
    if (c.settings)
        f.folder.Write(kSettingsFile, c.settings);
    f.dialog.Run([&](TestDialog& d) {
        for (int flag = 0; flag < kOptionFlagCount; ++flag)
            EXPECT_EQ(d.Check(kOptionBoxes[flag]), c.ticked[flag] - '0') << "box " << flag;
        for (int id : {IDC_PICTURES, IDC_AUDIO, IDC_VIDEO, IDC_DOCUMENTS, IDC_HIDDEN})
            EXPECT_EQ(d.Enabled(id), !c.typeBoxesLocked) << "box " << id;
        for (int id : {IDC_ALL_FILE_TYPES, IDC_AUTO_ON_SHUTDOWN, IDC_BACKUP_ON_MODIFY,
                       IDC_SYSTEM_STATE, IDC_MODIFIED_ONLY})
            EXPECT_TRUE(d.Enabled(id)) << "box " << id;
        EXPECT_FALSE(d.Enabled(IDC_REMOVE_SELECTED));
    });
    EXPECT_TRUE(f.prompt.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Store, SettingsLoad, testing::ValuesIn(kSettingsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DialogLoad, FirstRunCreatesOnlyTheEmptyListAndDestination)
{
    DialogFixture f;
    f.dialog.Run([](TestDialog& d) {
        EXPECT_TRUE(d.Sources().empty());
        EXPECT_EQ(lastSourceIndex, -1);
        EXPECT_EQ(GetWindowTextLengthA(d.Item(IDC_DESTINATION)), 0);
    });
    EXPECT_EQ(f.folder.Read(kFilesToBackupFile), "");
    EXPECT_EQ(f.folder.Read(kDataFile), "");
    for (const char* name : {kSettingsFile, kEnableAutoMarker, kModBatchFile})
        EXPECT_FALSE(f.folder.Exists(name)) << name;
}

TEST(DialogLoad, SourcesKeepFileOrderEmptyLinesAndRepeats)
{
    DialogFixture f;
    f.folder.Write(kFilesToBackupFile,
                   "C:\\Data\r\n\r\nSystem State\r\nC:\\Data\r\nD:\\no line end");
    f.folder.Write(kDataFile, "E:\\Backup\r\nignored");
    f.dialog.Run([](TestDialog& d) {
        EXPECT_EQ(d.Sources(),
                  (std::vector<std::string>{"C:\\Data", "", "System State", "C:\\Data"}));
        EXPECT_EQ(lastSourceIndex, 3);
        char destination[MAX_PATH] = {};
        GetWindowTextA(d.Item(IDC_DESTINATION), destination, MAX_PATH);
        EXPECT_STREQ(destination, "E:\\Backup");
    });
}

} // namespace
