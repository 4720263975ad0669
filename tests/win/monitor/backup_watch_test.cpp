// The watch of a run on Windows file semantics: change reports of a real
// folder, the end of the batch, the mutex, the report.
#include "monitor/backup_watch.h"
#include "tests/native/test_support.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace
{

constexpr const char* kTestMutex = "CorvaneBackupTests.BackupRunning";

// Waits, as a user looking at the window would, for what the watch shows.
template <typename Condition> bool Eventually(const BackupWatch& watch, Condition condition)
{
    for (int i = 0; i < 200 && !condition(watch.Snapshot().state); ++i)
        Sleep(50);
    return condition(watch.Snapshot().state);
}

} // namespace

// Wine reports the changes at the top of a watched folder (DESIGN's facts):
// the copies land there. A batch that ends with backup.bat still there was
// stopped; the mutex goes with the end of the batch.
TEST(BackupWatch, CountsArrivalsAndJudgesTheRunWhenTheBatchEnds)
{
    Install install, source, destination, profile;
    source.Write({{"a.txt", "aaa"}, {"b.txt", "bbbb"}});
    install.Write({{kSettingsFile, "1;0;0;0;0;0;0;0;0;0;"},
                   {kFilesToBackupFile, source.Path() + "\r\n"},
                   {kDataFile, destination.Path()}});
    _putenv_s("LOCALAPPDATA", profile.Path().c_str());
    BackupProcessHandles processes;
    processes.batch = platform::Handle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const HANDLE batch = processes.batch.Get();
    platform::Handle running(CreateMutexA(nullptr, FALSE, kTestMutex));
    std::tm start{};
    start.tm_year = 126;
    start.tm_mday = 1;
    BackupWatch watch(InstallDirectory(install.Path()), std::move(processes), std::move(running),
                      start);
    std::thread follow([&watch] { watch.Run(); });

    ASSERT_TRUE(Eventually(watch, [](const companions::MonitorState& state) {
        return state.phase == companions::MonitorPhase::Copying;
    }));
    CopyFileA(source.PathOf("a.txt").c_str(), destination.PathOf("a.txt").c_str(), FALSE);
    EXPECT_TRUE(Eventually(watch, [](const companions::MonitorState& state) {
        return state.progress.filesArrived == 1 && state.progress.bytesArrived == 3;
    }));
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, kTestMutex);
    EXPECT_NE(nullptr, mutex);
    CloseHandle(mutex);

    install.Write(kBackupBatchFile, "xcopy");
    SetEvent(batch);
    follow.join();
    const MonitorSnapshot done = watch.Snapshot();
    const std::string text =
        "The backup was stopped before it finished: 2 files checked, 1 not backed up.\r\n" +
        source.PathOf("b.txt") + "\tmissing\r\n";
    EXPECT_EQ(text, destination.Read("Corvane Backup reports\\2026-01-01 00-00-00.txt"));
    EXPECT_EQ(text, profile.Read("Corvane Backup\\reports\\2026-01-01 00-00-00.txt"));
    EXPECT_EQ(done.reports.front(),
              destination.PathOf("Corvane Backup reports\\2026-01-01 00-00-00.txt"));
    EXPECT_EQ(nullptr, OpenMutexA(SYNCHRONIZE, FALSE, kTestMutex));
}
