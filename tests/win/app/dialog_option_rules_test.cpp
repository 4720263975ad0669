// The rules behind the option boxes, worked by clicks as a user would.
#include "tests/win/app/dialog_harness.h"

#include <gtest/gtest.h>

namespace
{

constexpr int kTypeBoxes[] = {IDC_PICTURES, IDC_AUDIO, IDC_VIDEO, IDC_DOCUMENTS, IDC_HIDDEN};
// Nothing ticked and no lock, so every click starts from a known state.
constexpr const char* kNothingTicked = "0;0;0;0;0;0;0;0;0;0;";

TEST(AllFileTypes, TickingClearsAndLocksTheTypeBoxesOnly)
{
    DialogFixture f;
    f.folder.Write(kSettingsFile, "0;0;0;1;0;0;0;1;1;1;");
    f.dialog.Run([](TestDialog& d) {
        d.Click(IDC_ALL_FILE_TYPES);
        EXPECT_EQ(d.Check(IDC_ALL_FILE_TYPES), BST_CHECKED);
        for (int id : kTypeBoxes)
        {
            EXPECT_EQ(d.Check(id), BST_UNCHECKED) << id;
            EXPECT_FALSE(d.Enabled(id)) << id;
        }
        for (int id : {IDC_SYSTEM_STATE, IDC_MODIFIED_ONLY})
        {
            EXPECT_EQ(d.Check(id), BST_CHECKED) << id;
            EXPECT_TRUE(d.Enabled(id)) << id;
        }

        d.Click(IDC_ALL_FILE_TYPES);
        EXPECT_EQ(d.Check(IDC_ALL_FILE_TYPES), BST_UNCHECKED);
        for (int id : kTypeBoxes)
        {
            EXPECT_EQ(d.Check(id), BST_UNCHECKED) << id;
            EXPECT_TRUE(d.Enabled(id)) << id;
        }
    });
}

TEST(AllFileTypes, UntickingAfterALockedLoadKeepsTheLoadedTicks)
{
    DialogFixture f;
    f.folder.Write(kSettingsFile, "1;0;0;1;0;0;0;1;0;0;");
    f.dialog.Run([](TestDialog& d) {
        d.Click(IDC_ALL_FILE_TYPES);
        for (int id : kTypeBoxes)
            EXPECT_TRUE(d.Enabled(id)) << id;
        EXPECT_EQ(d.Check(IDC_PICTURES), BST_CHECKED);
        EXPECT_EQ(d.Check(IDC_HIDDEN), BST_CHECKED);
        EXPECT_EQ(d.Check(IDC_VIDEO), BST_UNCHECKED);
    });
}

struct MarkerCase
{
    const char* name;
    const char* before; // null: no enableauto
    int clicks;
    const char* after; // null: no enableauto
};

const MarkerCase kMarkerCases[] = {
    {"TickCreatesIt", nullptr, 1, ""},
    {"TickKeepsItsContent", "kept", 1, "kept"},
    {"UntickDeletesIt", nullptr, 2, nullptr},
    {"UntickDeletesOneWithContent", "kept", 2, nullptr},
};

class AutoBackupMarker : public testing::TestWithParam<MarkerCase>
{
};

TEST_P(AutoBackupMarker, FollowsTheBoxAtOnce)
{
    const MarkerCase& c = GetParam();
    DialogFixture f;
    f.folder.Write(kSettingsFile, kNothingTicked);
    if (c.before)
        f.folder.Write(kEnableAutoMarker, c.before);
    f.dialog.Run([&](TestDialog& d) {
        for (int click = 0; click < c.clicks; ++click)
            d.Click(IDC_AUTO_ON_SHUTDOWN);
        EXPECT_EQ(f.folder.Read(kEnableAutoMarker), c.after ? c.after : "<missing>");
    });
    EXPECT_TRUE(f.prompt.shown.empty());
    EXPECT_FALSE(f.dialog.processEnded);
}

INSTANTIATE_TEST_SUITE_P(Clicks, AutoBackupMarker, testing::ValuesIn(kMarkerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(AutoBackupMarker, UntickingWithoutMarkerChangesNothing)
{
    DialogFixture f; // first run: the box is ticked, no marker yet
    f.dialog.Run([](TestDialog& d) { d.Click(IDC_AUTO_ON_SHUTDOWN); });
    EXPECT_FALSE(f.folder.Exists(kEnableAutoMarker));
    EXPECT_TRUE(f.prompt.shown.empty());
}

const Message kCatalogQuestion{"Some Options You Have Selected Require A Cataloging Of Files. They "
                               "Will Not Be Enabled Until Files Are Catalogged\n\nDo You Want To "
                               "Do That Now?",
                               "Catalog Files", MB_YESNO};

TEST(CatalogQuestion, NotAskedOnceFilesAreCatalogued)
{
    DialogFixture f;
    f.folder.Write(kSettingsFile, kNothingTicked);
    f.folder.Write(kCatalogedMarker, "");
    f.dialog.Run([](TestDialog& d) {
        d.Click(IDC_BACKUP_ON_MODIFY);
        EXPECT_EQ(d.Check(IDC_BACKUP_ON_MODIFY), BST_CHECKED);
        d.Click(IDC_BACKUP_ON_MODIFY);
        EXPECT_EQ(d.Check(IDC_BACKUP_ON_MODIFY), BST_UNCHECKED);
    });
    EXPECT_TRUE(f.prompt.shown.empty());
    EXPECT_TRUE(f.shell.started.empty());
    EXPECT_FALSE(f.folder.Exists(kCatalogMarker));
}

// Asked in either direction; No leaves the box unticked and writes nothing.
TEST(CatalogQuestion, NoUnticksTheBox)
{
    for (const char* settings : {kNothingTicked, "0;0;1;0;0;0;0;0;0;0;"})
    {
        DialogFixture f;
        f.folder.Write(kSettingsFile, settings);
        f.prompt.answer = IDNO;
        f.dialog.Run([](TestDialog& d) {
            d.Click(IDC_BACKUP_ON_MODIFY);
            EXPECT_EQ(d.Check(IDC_BACKUP_ON_MODIFY), BST_UNCHECKED);
        });
        EXPECT_EQ(f.prompt.shown, std::vector<Message>{kCatalogQuestion}) << settings;
        EXPECT_TRUE(f.shell.started.empty());
        EXPECT_FALSE(f.folder.Exists(kCatalogMarker));
        EXPECT_FALSE(f.folder.Exists(kModBatchFile));
        EXPECT_FALSE(f.dialog.processEnded);
    }
}

TEST(CatalogQuestion, YesCataloguesSavesAndEnds)
{
    DialogFixture f;
    f.folder.Write(kSettingsFile, kNothingTicked);
    f.prompt.answer = IDYES;
    f.dialog.Run([](TestDialog& d) { d.Click(IDC_BACKUP_ON_MODIFY); });
    EXPECT_EQ(f.prompt.shown, std::vector<Message>{kCatalogQuestion});
    EXPECT_EQ(f.folder.Read(kCatalogMarker), "");
    const std::vector<std::pair<std::string, int>> started{
        {f.PathOf(kLoadProgram), kShowHidden}, {f.PathOf(kConfigBatchFile), kShowHidden}};
    EXPECT_EQ(f.shell.started, started);
    EXPECT_TRUE(f.dialog.processEnded);
    EXPECT_EQ(f.folder.Read(kSettingsFile), "0;0;1;0;0;0;0;0;0;0;");
    EXPECT_TRUE(f.folder.Exists(kModBatchFile));
}

TEST(CatalogQuestion, YesWithARejectedSourceStaysOpen)
{
    DialogFixture f;
    f.folder.Write(kSettingsFile, kNothingTicked);
    f.folder.Write(kFilesToBackupFile, "D:\\Backup\r\n");
    f.folder.Write(kDataFile, "D:\\Backup");
    f.prompt.answer = IDYES;
    f.dialog.Run([](TestDialog& d) {
        d.Click(IDC_BACKUP_ON_MODIFY);
        EXPECT_EQ(d.Check(IDC_BACKUP_ON_MODIFY), BST_CHECKED);
        EXPECT_EQ(d.Sources(), std::vector<std::string>{"D:\\Backup"});
    });
    ASSERT_EQ(f.prompt.shown.size(), 2u);
    EXPECT_EQ(f.prompt.shown[1].caption, "ERROR");
    EXPECT_EQ(f.folder.Read(kCatalogMarker), "");
    EXPECT_EQ(f.shell.started.size(), 2u);
    EXPECT_FALSE(f.dialog.processEnded);
}

} // namespace
