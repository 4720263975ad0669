#include "backup/backup_run.h"
#include "store/save_store.h"
#include "tests/native/recording_ports.h"
#include "tests/native/temp_folder.h"
#include "tests/native/test_selection.h"

#include <gtest/gtest.h>

namespace
{

Message NotStarted(const std::string& reason)
{
    return Message{reason + " \nDetails:The backup was not started", "ERROR", kStopType};
}

// An install directory holding what an earlier run left, which a stopped
// run must not touch.
struct EarlierRun
{
    TempFolder install;
    TempFolder destination;
    RecordingPrompt prompt;
    RecordingShell shell;

    EarlierRun()
    {
        install.Write("backup.bat", "old script\r\n");
        install.Write("filestobackup.bck", "C:\\Old\r\n");
        install.Write("data.dat", "F:\\Old");
    }

    backup::RunOutcome Run(const BackupSelection& selection)
    {
        return backup::RunBackup(selection, InstallDirectory(install.Path()), prompt, shell);
    }

    void ExpectUntouched() const
    {
        EXPECT_EQ("old script\r\n", install.Read("backup.bat"));
        EXPECT_EQ("C:\\Old\r\n", install.Read("filestobackup.bck"));
        EXPECT_EQ("F:\\Old", install.Read("data.dat"));
        EXPECT_FALSE(install.Exists("video"));
        EXPECT_TRUE(shell.starts.empty());
    }
};

} // namespace

TEST(RunBackup, StopsBeforeAnyWriteWithTheFirstProblemOnly)
{
    TempFolder existing;
    const std::string here = existing.Path();
    const struct
    {
        std::vector<std::string> sources;
        std::string destination;
        std::string ticks;
        Message message;
    } cases[] = {
        {{}, "", "1000000000", {"Please Select a Location to Backup To.", "Error", kStopType}},
        {{}, here, "0000000000", {"Please Select a File or Folder To Backup", "Error", kStopType}},
        // Hidden and Modified Since Last Backup copy nothing on their own.
        {{"C:\\a"},
         here,
         "0110000101",
         {"Please Select a File Type or System Option", "Error", kStopType}},
        {{"C:\\a", here, "C:\\b"},
         here,
         "1000000000",
         {"Error Duplicate Found. You Cannot Backup " + here + " To " + here, "ERROR", kStopType}},
        // Entry checks come before the look for the destination folder.
        {{"C:\\a", "E:\\"},
         "E:\\Backup",
         "0000000010",
         {"Error Cannot Backup To E:\\Backup From E:\\ \nDetails:Reccursive(infinite) backup "
          "would occur",
          "ERROR", kStopType}},
        {{"C:\\a"}, "E:\\Nowhere", "0000000010", NotStarted("Error Cannot Find E:\\Nowhere")},
    };
    for (const auto& c : cases)
    {
        EarlierRun run;
        EXPECT_EQ(backup::RunOutcome::Stopped,
                  run.Run(Selection(c.sources, c.destination, c.ticks)));
        EXPECT_EQ(std::vector<Message>{c.message}, run.prompt.shown);
        run.ExpectUntouched();
    }
}

TEST(RunBackup, StartedRunLeavesScriptListAndMonitorLineThenSaveDropsTheLine)
{
    EarlierRun run;
    run.install.Write("video", "from an earlier run");
    const InstallDirectory directory(run.install.Path());
    const std::string destination = run.destination.Path();
    const auto selection = Selection({"C:\\Data", "D:\\Photos"}, destination, "0000000010");

    EXPECT_EQ(backup::RunOutcome::Started, run.Run(selection));
    EXPECT_TRUE(run.prompt.shown.empty());
    EXPECT_EQ(destination, run.install.Read("data.dat"));
    EXPECT_EQ("xcopy /d /y /s /C /I /h  \"%systemroot%\\SYSTEM32\" \"" + destination +
                  "\\systemstate\"\r\nerase \"" + directory.PathOf("backup.bat") + "\"",
              run.install.Read("backup.bat"));
    EXPECT_EQ("C:\\Data\r\nD:\\Photos\r\nSystem State\r\n", run.install.Read("filestobackup.bck"));
    // Video unticked: the marker is neither made nor removed.
    EXPECT_EQ("from an earlier run", run.install.Read("video"));
    EXPECT_EQ((Starts{{directory.PathOf("backup.bat"), kShowHidden},
                      {directory.PathOf("Load.exe"), kShowNormal}}),
              run.shell.starts);

    EXPECT_EQ(store::SaveOutcome::Saved, store::SaveStore(selection, directory, run.prompt));
    EXPECT_EQ("C:\\Data\r\nD:\\Photos\r\n", run.install.Read("filestobackup.bck"));
}

TEST(RunBackup, VideoRunLeavesAnEmptyVideoMarker)
{
    EarlierRun run;
    run.install.Write("video", "stale");
    EXPECT_EQ(backup::RunOutcome::Started,
              run.Run(Selection({"C:\\Films"}, run.destination.Path(), "0000010000")));
    EXPECT_EQ("", run.install.Read("video"));
}

// A monitor without a backup would mislead; a backup without the monitor
// still copies everything.
TEST(RunBackup, OnlyAFailedStartOfTheScriptStopsTheRun)
{
    for (const bool scriptStarts : {false, true})
    {
        EarlierRun run;
        const InstallDirectory directory(run.install.Path());
        const std::string script = directory.PathOf("backup.bat");
        run.shell.refused = {scriptStarts ? directory.PathOf("Load.exe") : script};
        const auto outcome = run.Run(Selection({"C:\\a"}, run.destination.Path(), "1000000000"));
        if (scriptStarts)
        {
            EXPECT_EQ(backup::RunOutcome::Started, outcome);
            EXPECT_TRUE(run.prompt.shown.empty());
            EXPECT_EQ(2u, run.shell.starts.size());
        }
        else
        {
            EXPECT_EQ(backup::RunOutcome::Stopped, outcome);
            EXPECT_EQ(std::vector<Message>{NotStarted("Error Cannot Start " + script)},
                      run.prompt.shown);
            EXPECT_EQ((Starts{{script, kShowHidden}}), run.shell.starts);
        }
    }
}
