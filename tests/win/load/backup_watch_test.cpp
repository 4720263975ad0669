// The watch of a run in-process, on Windows file semantics: change reports of
// a real folder, the end of the batch, the mutex, the report, the backup's id.
#include "companions/report.h"
#include "load/backup_watch.h"
#include "platform/computer.h"
#include "tests/native/support/install.h"
#include "tests/native/support/local_time.h"
#include "tests/win/wait_and_text.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

constexpr const char* kTestMutex = "CorvaneBackupTests.BackupRunning";

// Wine reports the changes at the top of a watched folder (DESIGN's facts):
// the copies land there, named in any alphabet. A batch that ends with
// backup.bat still there was stopped; the mutex, held meanwhile (a second run
// is refused: see the BackupNow scenario), goes with the end of the batch.
// The report, UTF-8, names the file as it is.
TEST(BackupWatch, CountsArrivalsAndJudgesTheRunWhenTheBatchEnds)
{
    Install install, source, destination, profile;
    const std::string arrived = "Отчёт за год.txt", missing = "🙂 smile.txt";
    platform::LocalFiles().Replace(source.PathOf(arrived), "aaa");
    platform::LocalFiles().Replace(source.PathOf(missing), "bbbb");
    install.Write({{kSettingsFile, "1;0;0;0;0;0;0;0;0;0;"},
                   {kFilesToBackupFile, source.Path() + "\r\n"},
                   {kDataFile, destination.Path()}});
    _putenv_s("LOCALAPPDATA", profile.Path().c_str());
    BackupProcessHandles processes;
    processes.batch = platform::Handle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const HANDLE batch = processes.batch.Get();
    platform::Handle running(CreateMutexA(nullptr, FALSE, kTestMutex));
    BackupWatch watch(InstallDirectory(install.Path()), std::move(processes), std::move(running),
                      LocalTime(2026, 1, 1, 0, 0, 0));
    std::thread follow([&watch] { watch.Run(); });

    ASSERT_TRUE(WaitFor(
        [&watch] { return watch.Snapshot().state.phase == companions::MonitorPhase::Copying; },
        10000));
    platform::LocalFiles().Copy(source.PathOf(arrived), destination.PathOf(arrived));
    EXPECT_TRUE(WaitFor(
        [&watch] {
            const companions::Progress& progress = watch.Snapshot().state.progress;
            return progress.filesArrived == 1 && progress.bytesArrived == 3;
        },
        10000));

    install.Write(kBackupBatchFile, "xcopy");
    SetEvent(batch);
    follow.join();
    const MonitorSnapshot done = watch.Snapshot();
    const std::string text =
        std::string(companions::kUtf8Mark) +
        "The backup was stopped before it finished: 2 files checked, 1 not backed up.\r\n" +
        source.PathOf(missing) + "\tmissing\r\n";
    EXPECT_EQ(text, destination.Read("Corvane Backup reports\\2026-01-01 00-00-00.txt"));
    EXPECT_EQ(text, profile.Read("Corvane Backup\\reports\\2026-01-01 00-00-00.txt"));
    EXPECT_EQ(done.reports.front(),
              destination.PathOf("Corvane Backup reports\\2026-01-01 00-00-00.txt"));
    EXPECT_EQ(nullptr, OpenMutexA(SYNCHRONIZE, FALSE, kTestMutex));
    // "Backup Now" marks the destination as this computer's backup.
    EXPECT_EQ(platform::ThisComputer().id + "\r\n",
              destination.Read("Corvane Backup reports\\backup id.txt")
                  .substr(0, platform::ThisComputer().id.size() + 2));
}
