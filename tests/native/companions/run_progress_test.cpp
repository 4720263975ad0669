#include "companions/expected_files.h"
#include "companions/run_progress.h"
#include "tests/native/support/disk_backup.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

// Copies of an earlier run count at once; then only a report of an expected
// copy that is now good moves the count.
TEST(RunProgress, CountsCopiesAsTheyArrive)
{
    Backup backup;
    backup.Copied("earlier.txt", 0s);
    backup.Make(backup.source, "new.txt", 1000);
    const std::string stray = backup.Make(backup.destination, "stray.txt");
    companions::RunProgress progress(
        companions::ListExpectedFiles(backup.Plan("1000000000"), platform::LocalFiles()), {},
        platform::LocalFiles());
    const auto counts = [&progress] {
        const companions::Progress& now = progress.Now();
        return std::to_string(now.filesArrived) + "/" + std::to_string(now.filesExpected) + " " +
               std::to_string(now.bytesArrived) + "/" + std::to_string(now.bytesExpected);
    };
    EXPECT_EQ("1/2 3/1003", counts());
    EXPECT_FALSE(progress.OnChanged(stray));
    const std::string copy = backup.destination.PathOf("new.txt");
    backup.Make(backup.destination, "new.txt", 10);
    EXPECT_FALSE(progress.OnChanged(copy));
    backup.Make(backup.destination, "new.txt", 1000);
    EXPECT_TRUE(progress.OnChanged(copy));
    EXPECT_FALSE(progress.OnChanged(copy));
    EXPECT_EQ("2/2 1003/1003", counts());
    EXPECT_EQ(backup.source.Path(), progress.Now().currentFolder);
}
