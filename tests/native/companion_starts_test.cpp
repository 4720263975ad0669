#include "companion/companion_starts.h"
#include "tests/native/recording_ports.h"

#include <gtest/gtest.h>

TEST(CompanionStarts, StartsEachFlowInOrderWithItsShowState)
{
    const InstallDirectory directory("C:\\Install");
    const auto backupBatch = directory.PathOf("backup.bat");
    const auto monitor = directory.PathOf("Load.exe");
    const auto config = directory.PathOf("config.bat");

    RecordingShell backup;
    EXPECT_EQ((std::array<bool, 2>{true, true}),
              companion::StartCompanions(directory, backup, companion::kAfterBackup));
    EXPECT_EQ((Starts{{backupBatch, kShowHidden}, {monitor, kShowNormal}}), backup.starts);

    RecordingShell failedBackup;
    failedBackup.refused = {backupBatch};
    EXPECT_EQ((std::array<bool, 2>{false, false}),
              companion::StartCompanions(directory, failedBackup, companion::kAfterBackup));
    EXPECT_EQ((Starts{{backupBatch, kShowHidden}}), failedBackup.starts);

    RecordingShell catalog;
    catalog.refused = {monitor};
    EXPECT_EQ((std::array<bool, 2>{false, true}),
              companion::StartCompanions(directory, catalog, companion::kCatalogFlow));
    EXPECT_EQ((Starts{{monitor, kShowHidden}, {config, kShowHidden}}), catalog.starts);

    RecordingShell drive;
    EXPECT_EQ((std::array<bool, 1>{true}),
              companion::StartCompanions(directory, drive, companion::kVirtualDrive));
    EXPECT_EQ((Starts{{directory.PathOf("vd.exe"), kShowHidden}}), drive.starts);
}
