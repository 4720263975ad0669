#include "load/monitor_dialog.h"

#include "desktop/shell_execute_shell.h"
#include "load/load_resource.h"

#include <commctrl.h>

namespace
{

constexpr UINT kSourceChanged = WM_APP + 1;
constexpr UINT_PTR kClock = 1;

void Show(CWnd& control, std::string& shown, const std::string& text)
{
    // Set only when changed: a static repaints, and flickers, on every set.
    if (shown != text)
        control.SetWindowText(shown = text);
}

} // namespace

CMonitorDialog::CMonitorDialog(MonitorSource& source)
    : CCompanionDialog(IDD_MONITOR, IDC_HEADLINE), m_source(source)
{
    const INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
}

BEGIN_MESSAGE_MAP(CMonitorDialog, CCompanionDialog)
ON_MESSAGE(kSourceChanged, OnSourceChanged)
ON_MESSAGE(WM_TIMER, OnTimer)
ON_BN_CLICKED(IDC_OPEN_REPORT, OnOpenReport)
ON_BN_CLICKED(IDC_RESTORE_FILES, OnRestoreFiles)
ON_WM_DESTROY()
END_MESSAGE_MAP()

void CMonitorDialog::DoDataExchange(CDataExchange* pDX)
{
    CCompanionDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HEADLINE, m_headline);
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_FILES, m_files);
    DDX_Control(pDX, IDC_BYTES, m_bytes);
    DDX_Control(pDX, IDC_FOLDER, m_folder);
    DDX_Control(pDX, IDC_TIME, m_time);
    DDX_Control(pDX, IDC_OPEN_REPORT, m_openReport);
}

BOOL CMonitorDialog::OnInitDialog()
{
    CCompanionDialog::OnInitDialog();
    m_notBackedUp.Bind(IDC_NOT_BACKED_UP, this);
    m_source.NotifyChanges(m_hWnd, kSourceChanged);
    SetTimer(m_hWnd, kClock, 1000, nullptr);
    Refresh();
    return TRUE;
}

LRESULT CMonitorDialog::OnSourceChanged(WPARAM, LPARAM)
{
    Refresh();
    return 0;
}

LRESULT CMonitorDialog::OnTimer(WPARAM, LPARAM)
{
    Refresh();
    return 0;
}

void CMonitorDialog::OnOpenReport()
{
    ShellExecuteShell().Start(m_report, SW_SHOWNORMAL);
}

void CMonitorDialog::OnRestoreFiles()
{
    std::wstring program(32768, L'\0');
    program.resize(GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size())));
    if (!ShellExecuteShell().Start(program, L"/restore", SW_SHOWNORMAL))
        MessageBoxW(m_hWnd, (L"Cannot start " + program).c_str(), L"Corvane Backup", MB_ICONERROR);
}

void CMonitorDialog::OnDestroy()
{
    m_source.NotifyChanges(nullptr, 0);
    KillTimer(m_hWnd, kClock);
    CCompanionDialog::OnDestroy();
}

void CMonitorDialog::Refresh()
{
    if (m_done)
        return;
    const MonitorSnapshot snapshot = m_source.Snapshot();
    const companions::MonitorView view = companions::ViewOf(snapshot.state);
    Show(m_headline, m_shown.headline, view.headline);
    Show(m_files, m_shown.files, view.files);
    Show(m_bytes, m_shown.bytes, view.bytes);
    Show(m_folder, m_shown.folder, view.folder);
    Show(m_time, m_shown.time, view.time);
    if (m_shown.percent != view.percent)
        m_progress.SetPos(m_shown.percent = view.percent);
    if (snapshot.state.phase != companions::MonitorPhase::Done)
        return;
    // Nothing changes any more: the clock stops and the list is filled once.
    m_done = true;
    KillTimer(m_hWnd, kClock);
    m_notBackedUp.Show(view.notBackedUp);
    if (!snapshot.reports.empty())
    {
        m_report = snapshot.reports.front();
        m_openReport.EnableWindow(TRUE);
    }
}
