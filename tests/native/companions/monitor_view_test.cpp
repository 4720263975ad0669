#include "companions/monitor_view.h"

#include <gtest/gtest.h>

// While the batch runs: counts, sizes and the clock; a minute without a new
// copy is a stall. Once it has ended, each file not backed up with its reason.
TEST(MonitorView, ShowsTheProgressAndThenTheFilesNotBackedUp)
{
    companions::MonitorState state;
    state.elapsed = std::chrono::seconds(3725);
    EXPECT_EQ("Finding the files to back up...", companions::ViewOf(state).headline);
    EXPECT_EQ("Time taken: 1:02:05", companions::ViewOf(state).time);

    state.phase = companions::MonitorPhase::Copying;
    state.progress = {40, 10, 3 * 1024 * 1024 + 1, 1536, "C:\\Data\\Trip"};
    state.elapsed = std::chrono::seconds(65);
    state.quiet = std::chrono::seconds(59);
    const companions::MonitorView view = companions::ViewOf(state);
    EXPECT_EQ("Backing up your files...", view.headline);
    EXPECT_EQ("Files: 10 of 40", view.files);
    EXPECT_EQ("Size: 1.5 KB of 3.0 MB", view.bytes);
    EXPECT_EQ("Folder: C:\\Data\\Trip", view.folder);
    EXPECT_EQ("Time taken: 1:05", view.time);
    EXPECT_EQ(0, view.percent);
    state.progress.bytesExpected = 0;
    state.progress.currentFolder.clear();
    EXPECT_EQ(25, companions::ViewOf(state).percent);
    EXPECT_EQ("", companions::ViewOf(state).folder);
    state.quiet = companions::kStallTime;
    EXPECT_EQ("Stalled: no file has arrived for a minute.", companions::ViewOf(state).headline);

    state.phase = companions::MonitorPhase::Done;
    state.verdict =
        companions::Verdict{40, {{0, "C:\\Data\\a.txt", companions::Shortfall::Missing}}};
    EXPECT_EQ((std::vector<companions::FileReason>{{"C:\\Data\\a.txt", "missing"}}),
              companions::ViewOf(state).notBackedUp);
    // A store it could not read leaves the run without a verdict, never "All 0".
    state.verdict.reset();
    state.notJudged = "Cannot read the saved selection: C:\\P\\data.dat";
    EXPECT_EQ(state.notJudged, companions::ViewOf(state).headline);
}
