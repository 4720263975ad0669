#include "tests/win/access/program_windows.h"

#include "app/about_dialog.h"
#include "app/backup_dialog.h"
#include "companions/monitor_view.h"
#include "companions/progress_text.h"
#include "companions/saved_plan.h"
#include "load/load_resource.h"
#include "load/monitor_dialog.h"
#include "load/restore_conflict_dialog.h"
#include "load/restore_dialog.h"
#include "load/restore_versions_dialog.h"
#include "load/restore_window.h"
#include "res/resource.h"
#include "restore/restore_verdict.h"
#include "tests/native/support/install.h"
#include "tests/native/support/selection.h"
#include "tests/win/modal_script.h"

#include <commctrl.h>

namespace
{

// A share of a small office, as the README advises.
const std::string kShareFolder = "\\\\nas\\backups\\DESKTOP-7QK2M9P";
constexpr std::uint64_t kMostBytes = 1'099'400'000'000; // "1023.9 GB"
constexpr std::size_t kMostFiles = 1'234'567;
const platform::FileTime kWritten = std::chrono::hours(24 * 365 * 425);

template <typename Dialog> int RunModal(Dialog& dialog, const std::function<void(HWND)>& look)
{
    dialog.script = [&] { look(dialog.m_hWnd); };
    dialog.endWith = IDCANCEL;
    return dialog.DoModal();
}

struct FixedSource : MonitorSource
{
    MonitorSnapshot snapshot;
    MonitorSnapshot Snapshot() const override { return snapshot; }
    void NotifyChanges(HWND, UINT) override {}
};

companions::MonitorState MonitorAt(companions::MonitorPhase phase)
{
    companions::MonitorState state;
    state.phase = phase;
    state.progress = {kMostFiles, kMostFiles, kMostBytes, kMostBytes, kShareFolder + "\\Photos"};
    state.elapsed = std::chrono::hours(99) + std::chrono::minutes(59) + std::chrono::seconds(59);
    state.quiet = companions::kStallTime;
    return state;
}

int RunMain(const std::function<void(HWND)>& look)
{
    Install install;
    install.Write({{kFilesToBackupFile, "C:\\Users\\Anna\\Documents\r\nD:\\Photos\r\n"},
                   {kDataFile, kShareFolder},
                   {kSettingsFile, "0;1;0;1;0;0;1;0;0;1;"}});
    ModalScript<CBackupDialog> dialog(install.Directory(), install.prompt, install.shell, nullptr);
    return RunModal(dialog, look);
}

int RunAbout(const std::function<void(HWND)>& look)
{
    ModalScript<CAboutDialog> dialog;
    return RunModal(dialog, look);
}

int RunMonitor(const std::function<void(HWND)>& look)
{
    FixedSource source;
    source.snapshot.state = MonitorAt(companions::MonitorPhase::Done);
    source.snapshot.state.progress = {3, 2, 3'500'000, 2'000'000, "C:\\Users\\Anna\\Documents"};
    source.snapshot.state.elapsed = std::chrono::seconds(12);
    source.snapshot.state.verdict = companions::Verdict{
        3, {{0, "C:\\Users\\Anna\\Documents\\Budget 2026.xlsx", companions::Shortfall::Missing}}};
    source.snapshot.reports = {kShareFolder + "\\Corvane Backup reports\\report.txt"};
    ModalScript<CMonitorDialog> dialog(source);
    return RunModal(dialog, look);
}

int RunRestore(const std::function<void(HWND)>& look)
{
    Install destination;
    std::filesystem::create_directories(destination.PathOf("Letters"));
    destination.Write({{"Budget 2026.xlsx", "numbers"}, {"Letters\\To Anna.doc", "Dear Anna"}});
    Install install;
    SaveSelection(install.Directory(),
                  Selection({"C:\\Users\\Anna\\Documents"}, destination.Path(), "1000000000"),
                  platform::LocalFiles());
    ModalScript<CRestoreDialog> dialog(
        RestoreWindowContext{platform::LocalFiles(), install.Directory(), "", {}, ""});
    return RunModal(dialog, [&](HWND window) {
        const HWND tree = GetDlgItem(window, IDC_BACKUP_TREE);
        TreeView_Expand(tree, TreeView_GetRoot(tree), TVE_EXPAND);
        look(window);
    });
}

int RunConflict(const std::function<void(HWND)>& look)
{
    const restore::Conflict conflict{kShareFolder + "\\Budget 2026.xlsx", kMostBytes, kWritten,
                                     kMostBytes, kWritten};
    ModalScript<CConflictDialog> dialog(conflict, nullptr);
    return RunModal(dialog, look);
}

int RunVersions(const std::function<void(HWND)>& look)
{
    ModalScript<CVersionsDialog> dialog(
        "Budget 2026.xlsx", {{"a", kMostBytes, kWritten}, {"b", 12'000, kWritten}}, nullptr);
    return RunModal(dialog, look);
}

std::string WithNotice(const std::string& line)
{
    return line + "\n" + kAdministratorsNotice;
}

std::vector<ProgramWindow> MakeWindows()
{
    using companions::MonitorPhase;
    const companions::ProgressText most =
        companions::ProgressTextOf(kMostFiles, kMostFiles, kMostBytes, kMostBytes);
    companions::MonitorState stopped = MonitorAt(MonitorPhase::Done);
    stopped.verdict = companions::Verdict{kMostFiles, {}, true};
    stopped.verdict->notBackedUp.resize(kMostFiles);
    const companions::MonitorView stoppedView = companions::ViewOf(stopped);
    const SIZE brand{164, 101};
    return {
        {"main window", RunMain, {}, {{IDC_BACKUP_NOW, {164, 47}}, {IDC_BRAND, brand}}},
        {"About box", RunAbout, {}, {{IDC_ABOUT_PICTURE, {287, 119}}}},
        {"monitor",
         RunMonitor,
         {{IDC_HEADLINE, companions::ViewOf(MonitorAt(MonitorPhase::GettingReady)).headline},
          {IDC_HEADLINE, companions::ViewOf(MonitorAt(MonitorPhase::Copying)).headline},
          {IDC_HEADLINE, stoppedView.headline},
          {IDC_FILES, stoppedView.files},
          {IDC_BYTES, stoppedView.bytes},
          {IDC_TIME, stoppedView.time}},
         {{IDC_BRAND, brand}}},
        {"restore window",
         RunRestore,
         {{IDC_RESTORE_HEADLINE,
           WithNotice("No backup has been made from this computer yet. Open the backup folder "
                      "to restore from.")},
          {IDC_RESTORE_HEADLINE, WithNotice(companions::DestinationMissingText(kShareFolder) +
                                            " Open another backup folder to restore from.")},
          {IDC_RESTORE_HEADLINE, WithNotice("Many files match: the first 1000 are shown. Type "
                                            "more of the name.")},
          {IDC_RESTORE_COUNT, most.files},
          {IDC_RESTORE_BYTES, most.bytes}},
         {{IDC_BRAND, brand}}},
        {"conflict question", RunConflict, {}, {}},
        {"versions list", RunVersions, {}, {}},
    };
}

} // namespace

const std::vector<ProgramWindow>& ProgramWindows()
{
    static const std::vector<ProgramWindow> windows = MakeWindows();
    return windows;
}
