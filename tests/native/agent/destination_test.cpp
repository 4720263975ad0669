#include "agent/destination_look.h"
#include "agent/destination_watch.h"
#include "tests/native/support/fake_files.h"

#include <gtest/gtest.h>

using agent::DestinationState;

namespace
{

const agent::LookContext kContext{{"id-this", "LAPTOP"}, {"C:\\", "E:\\", "F:\\"}, "C:\\profile"};
const std::string kIdFile = "E:\\Backup\\Corvane Backup reports\\backup id.txt";

} // namespace

// The folder the user chose is marked at the first look; after that, a
// folder at its place without this computer's id (another stick that took
// the letter) gets nothing; a missing one is found on another disk, or is
// away; a share that refuses the user is told apart. Nothing is ever made.
TEST(DestinationLook, MarksTheChosenFolderAndRefusesAnother)
{
    FakeFiles files;
    files.AddFolder("C:\\profile", false);
    files.AddFolder("E:\\Backup", false);
    const auto look = [&files] { return agent::LookAtDestination("E:\\Backup", kContext, files); };
    EXPECT_EQ(DestinationState::There, look().state);
    EXPECT_EQ("id-this\r\nLAPTOP\r\n", files.bytes[kIdFile]);

    // Another stick at E:, with a folder of that name.
    files.entries.erase(kIdFile);
    files.entries.erase("E:\\Backup\\Corvane Backup reports");
    files.AddFolder("F:\\Backup", false);
    EXPECT_EQ(DestinationState::NotOurs, look().state);
    files.bytes[kIdFile] = "id-other\r\nDESK\r\n";
    files.AddFile(kIdFile, 0);
    EXPECT_EQ(DestinationState::NotOurs, look().state);
    EXPECT_EQ("id-other\r\nDESK\r\n", files.bytes[kIdFile]);

    files.entries.erase(kIdFile);
    files.entries.erase("E:\\Backup\\Corvane Backup reports");
    files.entries.erase("E:\\Backup");
    EXPECT_EQ(DestinationState::Away, look().state);
    files.AddFile("F:\\Backup\\Corvane Backup reports\\backup id.txt", 0);
    files.bytes["F:\\Backup\\Corvane Backup reports\\backup id.txt"] = "id-this\r\n";
    EXPECT_EQ("F:\\Backup", look().place);
    files.denied.insert("E:\\Backup");
    EXPECT_EQ(DestinationState::Denied, look().state);
    EXPECT_FALSE(files.Facts("E:\\Backup"));
}

// While saves wait, a look comes once a minute and when a device arrives;
// after a refusal none comes until the network or the store changes. Each
// condition the user is told of is told once, when it begins.
TEST(DestinationWatch, LooksWhileSavesWaitAndTellsOnce)
{
    agent::DestinationWatch watch;
    watch.Follow("E:\\Backup");
    EXPECT_EQ(std::nullopt, watch.NextWake());
    watch.SavesWait(1, 0);
    EXPECT_TRUE(watch.LookDue(0));
    watch.LookStarted();
    EXPECT_FALSE(watch.LookDue(0));
    watch.Looked({DestinationState::NotOurs, {}}, 1, 0);
    watch.Looked({DestinationState::NotOurs, {}}, 2, 1000);
    EXPECT_EQ(61000, watch.NextWake());
    watch.SavesWait(0, 2000);
    EXPECT_EQ(std::nullopt, watch.NextWake());
    watch.SavesWait(2, 3000);
    watch.DeviceArrived(5000);
    EXPECT_TRUE(watch.LookDue(5000));
    watch.Looked({DestinationState::There, "F:\\Backup"}, 0, 6000);
    watch.Looked({DestinationState::There, "F:\\Backup"}, 0, 7000);
    EXPECT_EQ(std::nullopt, watch.NextWake());
    EXPECT_EQ((std::vector<std::string>{
                  "E:\\Backup is not your backup folder. The automatic backups wait for it.",
                  "Your backup disk is now F:. The automatic backups go to F:\\Backup."}),
              watch.TakeNews());
    EXPECT_TRUE(watch.TakeNews().empty());

    watch.Looked({DestinationState::Denied, {}}, 3, 8000);
    EXPECT_FALSE(watch.MayLook());
    EXPECT_EQ(std::nullopt, watch.NextWake());
    watch.NetworkChanged();
    EXPECT_TRUE(watch.MayLook());
    watch.Looked({DestinationState::Denied, {}}, 3, 9000);
    watch.Follow("E:\\Backup");
    EXPECT_TRUE(watch.MayLook());
}
