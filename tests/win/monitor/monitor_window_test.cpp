// The monitor's window over a source that says what to show.
#include "monitor/monitor_dialog.h"
#include "monitor/monitor_resource.h"
#include "tests/win/modal_script.h"

#include <commctrl.h>
#include <functional>
#include <gtest/gtest.h>

namespace
{

struct FixedSource : MonitorSource
{
    MonitorSnapshot snapshot;
    HWND window = nullptr;
    UINT message = 0;

    MonitorSnapshot Snapshot() const override { return snapshot; }
    void NotifyChanges(HWND to, UINT with) override
    {
        window = to;
        message = with;
    }
};

// Runs `steps` in the window's modal loop once it is up, then closes it.
struct TestMonitorDialog : ModalScript<CMonitorDialog>
{
    TestMonitorDialog(MonitorSource& source, std::function<void(HWND)> steps) : ModalScript(source)
    {
        script = [this, steps = std::move(steps)] { steps(m_hWnd); };
        endWith = IDCANCEL;
    }
};

std::string Text(HWND window, int id)
{
    char text[512] = {};
    GetDlgItemTextA(window, id, text, sizeof text);
    return text;
}

std::vector<std::string> Listed(HWND window)
{
    std::vector<std::string> lines;
    const HWND list = GetDlgItem(window, IDC_NOT_BACKED_UP);
    for (LRESULT i = 0; i < SendMessageA(list, LB_GETCOUNT, 0, 0); ++i)
    {
        char line[512] = {};
        SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
        lines.push_back(line);
    }
    return lines;
}

} // namespace

// While the batch runs the window follows the source's news: once it has
// ended, the report's first line on top, the stop under it, each file with
// its reason, and the report to open. Closing it only stops the news: the
// run it shows goes on.
TEST(MonitorWindow, FollowsTheSourceUntilTheVerdict)
{
    FixedSource source;
    companions::MonitorState& state = source.snapshot.state;
    state.phase = companions::MonitorPhase::Copying;
    TestMonitorDialog dialog(source, [&](HWND window) {
        EXPECT_EQ(window, source.window);
        EXPECT_EQ("Backing up your files...", Text(window, IDC_HEADLINE));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_OPEN_REPORT)));
        state.phase = companions::MonitorPhase::Done;
        state.progress = {3, 1, 30, 10, "C:\\Data"};
        state.elapsed = std::chrono::seconds(12);
        state.verdict =
            companions::Verdict{3,
                                {{0, "C:\\Data\\a.txt", companions::Shortfall::Missing},
                                 {0, "C:\\Data\\b.txt", companions::Shortfall::SizeDiffers}},
                                true};
        source.snapshot.reports = {"E:\\Backup\\Corvane Backup reports\\r.txt"};
        SendMessageA(window, source.message, 0, 0);
        EXPECT_EQ("The backup was stopped before it finished: 3 files checked, 2 not backed up.",
                  Text(window, IDC_HEADLINE));
        EXPECT_EQ(
            (std::vector<std::string>{"missing\tC:\\Data\\a.txt", "size differs\tC:\\Data\\b.txt"}),
            Listed(window));
        EXPECT_EQ("Files: 1 of 3", Text(window, IDC_FILES));
        EXPECT_EQ("Time taken: 0:12", Text(window, IDC_TIME));
        EXPECT_EQ(33, SendDlgItemMessageA(window, IDC_PROGRESS, PBM_GETPOS, 0, 0));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_OPEN_REPORT)));
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(nullptr, source.window);
}
