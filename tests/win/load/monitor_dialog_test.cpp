// The monitor's window in-process, over a source that says what to show.
#include "load/load_resource.h"
#include "load/monitor_dialog.h"
#include "tests/win/modal_script.h"
#include "tests/win/wait_and_text.h"

#include <commctrl.h>
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

// The headings, then each row, its columns joined by "|".
std::vector<std::string> Listed(HWND window)
{
    const HWND list = GetDlgItem(window, IDC_NOT_BACKED_UP);
    std::string headings;
    wchar_t text[512] = {};
    const auto utf8 = [&text] { return std::filesystem::path(text).u8string(); };
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 512;
    for (int i = 0; SendMessageW(list, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)); ++i)
        headings += (i ? "|" : "") + utf8();
    std::vector<std::string> lines = {headings};
    for (int row = 0; row < SendMessageW(list, LVM_GETITEMCOUNT, 0, 0); ++row)
    {
        std::string line;
        for (int sub = 0; sub < 2; ++sub)
        {
            LVITEMW item{};
            item.iSubItem = sub;
            item.pszText = text;
            item.cchTextMax = 512;
            SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
            line += (sub ? "|" : "") + utf8();
        }
        lines.push_back(line);
    }
    return lines;
}

// A click on a column's heading, as the mouse makes it.
void ClickHeading(HWND window, int column)
{
    const HWND header =
        reinterpret_cast<HWND>(SendDlgItemMessageA(window, IDC_NOT_BACKED_UP, LVM_GETHEADER, 0, 0));
    RECT heading{};
    SendMessageA(header, HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&heading));
    const LPARAM at = MAKELPARAM((heading.left + heading.right) / 2, heading.bottom / 2);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(header, WM_LBUTTONUP, 0, at);
}

} // namespace

// While the batch runs the window follows the source's news: once it has
// ended, the report's first line on top, the stop under it, each file with
// its reason (named in any alphabet, sorted by a heading's clicks), and the
// report to open. Closing it only stops the
// news: the run it shows goes on.
TEST(MonitorWindow, FollowsTheSourceUntilTheVerdict)
{
    FixedSource source;
    companions::MonitorState& state = source.snapshot.state;
    state.phase = companions::MonitorPhase::Copying;
    // The steps run in the window's modal loop once it is up; then it is closed.
    ModalScript<CMonitorDialog> dialog(source);
    dialog.endWith = IDCANCEL;
    dialog.script = [&] {
        const HWND window = dialog.m_hWnd;
        EXPECT_EQ(window, source.window);
        // The window keeps its size: neither a box nor a menu item changes it.
        EXPECT_EQ(0, GetWindowLongA(window, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
        for (const UINT command : {SC_MAXIMIZE, SC_SIZE})
            EXPECT_EQ(~0u, GetMenuState(GetSystemMenu(window, FALSE), command, MF_BYCOMMAND));
        EXPECT_EQ("Backing up your files...", Text(window, IDC_HEADLINE));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(window, IDC_OPEN_REPORT)));
        state.phase = companions::MonitorPhase::Done;
        state.progress = {3, 1, 30, 10, "C:\\Data"};
        state.elapsed = std::chrono::seconds(12);
        state.verdict =
            companions::Verdict{3,
                                {{0, "C:\\Data\\a.txt", companions::Shortfall::Missing},
                                 {0, "C:\\Data\\Отчёт.txt", companions::Shortfall::SizeDiffers}},
                                true};
        source.snapshot.reports = {"E:\\Backup\\Corvane Backup reports\\r.txt"};
        SendMessageA(window, source.message, 0, 0);
        EXPECT_EQ("The backup was stopped before it finished: 3 files checked, 2 not backed up.",
                  Text(window, IDC_HEADLINE));
        const std::vector<std::string> given = {"File|Reason", "C:\\Data\\a.txt|missing",
                                                "C:\\Data\\Отчёт.txt|size differs"};
        EXPECT_EQ(given, Listed(window));
        ClickHeading(window, 0);
        ClickHeading(window, 0);
        EXPECT_EQ((std::vector<std::string>{"File|Reason", "C:\\Data\\Отчёт.txt|size differs",
                                            "C:\\Data\\a.txt|missing"}),
                  Listed(window));
        ClickHeading(window, 1);
        EXPECT_EQ(given, Listed(window));
        EXPECT_EQ("Files: 1 of 3", Text(window, IDC_FILES));
        EXPECT_EQ("Time taken: 0:12", Text(window, IDC_TIME));
        EXPECT_EQ(33, SendDlgItemMessageA(window, IDC_PROGRESS, PBM_GETPOS, 0, 0));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(window, IDC_OPEN_REPORT)));
    };
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_EQ(nullptr, source.window);
}
