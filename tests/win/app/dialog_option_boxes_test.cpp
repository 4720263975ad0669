// The ten option boxes: what the store makes of them when the window opens, and
// the rules a user's clicks run.
#include "tests/win/app/dialog_harness.h"

#include <gtest/gtest.h>
#include <tuple>

namespace
{

// In the order settings.dat keeps them.
constexpr int kOptionBoxes[] = {IDC_ALL_FILE_TYPES, IDC_AUTO_ON_SHUTDOWN, IDC_BACKUP_ON_MODIFY,
                                // All File Types locks these five (3 to 7).
                                IDC_PICTURES, IDC_AUDIO, IDC_VIDEO, IDC_DOCUMENTS, IDC_HIDDEN,
                                IDC_SYSTEM_STATE, IDC_MODIFIED_ONLY};
constexpr const char* kNothingTicked = "0;0;0;0;0;0;0;0;0;0;";
constexpr const char* kLockedLoad = "1;0;0;1;0;0;0;1;0;0;";
constexpr const char* kUnlockedLoad = "0;0;0;1;1;0;1;0;1;1;";

TEST(OptionBoxes, LoadedFromTheStoreAndLockedByAllFileTypes)
{
    // settings.dat (null: none), clicks on All File Types, then the ticks and the lock.
    for (const auto& [settings, clicks, ticked, locked] :
         {std::tuple<const char*, int, const char*, bool>{nullptr, 0, "1110000010", true},
          {"", 0, "0000000000", false},
          {kLockedLoad, 0, "1001000100", true},
          {kLockedLoad, 1, "0001000100", false},
          {kUnlockedLoad, 0, "0001101011", false},
          {kUnlockedLoad, 1, "1000000011", true},
          {kUnlockedLoad, 2, "0000000011", false}})
    {
        SCOPED_TRACE(testing::Message() << (settings ? settings : "none") << " clicks " << clicks);
        TestDialog dialog;
        if (settings)
            dialog.folder.Write({{kSettingsFile, settings}});
        dialog.Run([&](TestDialog& d) {
            for (int click = 0; click < clicks; ++click)
                d.Click(IDC_ALL_FILE_TYPES);
            for (int flag = 0; flag < kOptionFlagCount; ++flag)
            {
                EXPECT_EQ(d.Check(kOptionBoxes[flag]), ticked[flag] - '0') << "box " << flag;
                EXPECT_EQ(d.Enabled(kOptionBoxes[flag]), !(locked && flag >= 3 && flag <= 7))
                    << "box " << flag;
            }
        });
    }
}

// The companion programs look for enableauto at once, not only after a save.
TEST(OptionBoxes, AutoBackupClicksCreateKeepAndDeleteEnableAuto)
{
    for (const auto& [before, clicks, after] :
         {std::tuple{"<missing>", 1, ""}, {"kept", 1, "kept"}, {"kept", 2, "<missing>"}})
    {
        TestDialog dialog;
        dialog.folder.Write({{kSettingsFile, kNothingTicked}});
        if (std::string(before) != "<missing>")
            dialog.folder.Write({{kEnableAutoMarker, before}});
        dialog.Run([&](TestDialog& d) {
            for (int click = 0; click < clicks; ++click)
                d.Click(IDC_AUTO_ON_SHUTDOWN);
        });
        EXPECT_EQ(dialog.folder.Read(kEnableAutoMarker), after) << before << " clicks " << clicks;
    }
}

const Message kCatalogQuestion{"Some Options You Have Selected Require A Cataloging Of Files. They "
                               "Will Not Be Enabled Until Files Are Catalogged\n\nDo You Want To "
                               "Do That Now?",
                               "Catalog Files", MB_YESNO};

// Asked until the files are catalogued: No unticks the box; Yes starts the
// catalog programs, saves and ends.
TEST(BackupOnModify, AsksToCatalogUnlessCatalogued)
{
    for (const auto& [cataloged, answer, asked, ticked, starts, saved] :
         {std::tuple{true, IDYES, 0u, BST_CHECKED, 0u, kNothingTicked},
          {false, IDNO, 1u, BST_UNCHECKED, 0u, kNothingTicked},
          {false, IDYES, 1u, BST_CHECKED, 2u, "0;0;1;0;0;0;0;0;0;0;"}})
    {
        SCOPED_TRACE(testing::Message() << "cataloged " << cataloged << " answer " << answer);
        TestDialog dialog;
        dialog.folder.Write({{kSettingsFile, kNothingTicked}});
        if (cataloged)
            dialog.folder.Write({{kCatalogedMarker, ""}});
        dialog.prompt.answer = answer;
        dialog.Run([&](TestDialog& d) {
            d.Click(IDC_BACKUP_ON_MODIFY);
            EXPECT_EQ(d.Check(IDC_BACKUP_ON_MODIFY), ticked);
        });
        EXPECT_EQ(dialog.prompt.shown, std::vector<Message>(asked, kCatalogQuestion));
        EXPECT_EQ(dialog.shell.starts.size(), starts);
        EXPECT_EQ(dialog.folder.Read(kSettingsFile), saved);
        EXPECT_EQ(dialog.endStatus, starts > 0 ? 0 : -1);
    }
}

} // namespace
