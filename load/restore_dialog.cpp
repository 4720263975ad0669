#include "load/restore_dialog.h"

#include "companions/backup_folder.h"
#include "companions/progress_text.h"
#include "companions/saved_selection.h"
#include "companions/versions.h"
#include "desktop/running_backup.h"
#include "load/load_resource.h"
#include "load/restore_conflict_dialog.h"
#include "load/restore_versions_dialog.h"
#include "platform/local_time.h"
#include "restore/find_in_backup.h"
#include "restore/other_backup_folder.h"
#include "restore/restore_view.h"
#include "widgets/folder_dialog.h"

#include <stdexcept>
#include <utility>

namespace
{

constexpr UINT kChecksChanged = WM_APP + 1;
// wParam: the round of the filter that found them.
constexpr UINT kFound = WM_APP + 2;
// Sent by the restore's thread: wParam points at the answer, lParam at the conflict.
constexpr UINT kAskConflict = WM_APP + 3;
constexpr UINT kProgress = WM_APP + 4;
constexpr UINT kRestoreDone = WM_APP + 5;
constexpr UINT kWaiting = WM_APP + 6;

constexpr const char* kRestoringLine = "Restoring your files...";

// A filter that matches much shows this many files: enough to pick from.
constexpr std::size_t kMostFound = 1000;

constexpr const char* kCaption = "Restore Files from Corvane Backup";

} // namespace

CRestoreDialog::CRestoreDialog(RestoreWindowContext context)
    : CCompanionDialog(IDD_RESTORE, IDC_RESTORE_HEADLINE), m_context(std::move(context))
{
    const INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
}

CRestoreDialog::~CRestoreDialog()
{
    // The threads use the contents and post to the window: they end first.
    m_restoreTask.Stop();
    m_filterTask.Stop();
}

BEGIN_MESSAGE_MAP(CRestoreDialog, CCompanionDialog)
ON_BN_CLICKED(IDC_RESTORE_TO, OnRestoreTo)
ON_BN_CLICKED(IDC_VERSIONS, OnVersions)
ON_BN_CLICKED(IDC_OPEN_BACKUP, OnOpenBackup)
ON_EN_CHANGE(IDC_FILTER, OnFilterChange)
ON_MESSAGE(WM_NOTIFY, OnNotify)
ON_MESSAGE(kChecksChanged, OnChecksChanged)
ON_MESSAGE(kFound, OnFound)
ON_MESSAGE(kAskConflict, OnAskConflict)
ON_MESSAGE(kProgress, OnProgress)
ON_MESSAGE(kRestoreDone, OnRestoreDone)
ON_MESSAGE(kWaiting, OnWaiting)
END_MESSAGE_MAP()

void CRestoreDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RESTORE_HEADLINE, m_headline);
    DDX_Control(pDX, IDC_FILTER, m_filter);
    DDX_Control(pDX, IDC_RESTORE_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_RESTORE_COUNT, m_count);
    DDX_Control(pDX, IDC_RESTORE_BYTES, m_bytes);
    DDX_Control(pDX, IDOK, m_restore);
    DDX_Control(pDX, IDC_RESTORE_TO, m_restoreTo);
    DDX_Control(pDX, IDC_VERSIONS, m_versions);
    DDX_Control(pDX, IDC_OPEN_BACKUP, m_openBackup);
}

BOOL CRestoreDialog::OnInitDialog()
{
    CCompanionDialog::OnInitDialog();
    if (!m_tree.Bind(IDC_BACKUP_TREE, this, kChecksChanged) ||
        !m_notRestored.Bind(IDC_NOT_RESTORED, this))
        throw std::runtime_error("the restore window's lists cannot be bound");
    companions::SavedPlanRead read = companions::ReadSavedPlan(m_context.directory, m_context.files,
                                                               companions::SavedPlanUse::Restore);
    // A backup disk that came back at another letter is shown from there.
    if (read.saved)
        read.saved = companions::FollowMovedBackup(
            std::move(*read.saved), m_context.directory, companions::SearchOnThisComputer(),
            m_context.files, companions::SavedPlanUse::Restore);
    Open(std::move(read));
    return TRUE;
}

void CRestoreDialog::OnOK()
{
    // Enter comes here even while "Restore" cannot be pressed.
    if (IsWindowEnabled(m_restore))
        Restore(m_tree.Checked(), {});
}

void CRestoreDialog::OnCancel()
{
    if (!m_restoring)
    {
        EndDialog(IDCANCEL);
        return;
    }
    // The restore's thread may be asking the window: it is told to stop and
    // the window ends once it has.
    m_closeWhenDone = true;
    m_restoreTask.RequestStop();
    SetHeadline("Stopping the restore...");
}

void CRestoreDialog::OnRestoreTo()
{
    const std::vector<restore::RestoreItem> items = m_tree.Checked();
    const std::string folder = PickFolder("Restore the checked files to:");
    if (!folder.empty())
        Restore(items, folder);
}

void CRestoreDialog::OnVersions()
{
    const restore::FoundFile* file = m_tree.SelectedFile();
    if (file == nullptr)
        return;
    CVersionsDialog dialog(
        file->item.name,
        companions::VersionsOf(m_contents->Destination(), file->item.copyPath, m_context.files),
        this);
    const companions::Version* version = dialog.Pick();
    if (version == nullptr)
        return;
    const restore::RestoreItem item{file->holding, file->item.copyPath, version->path};
    // A file with no place of its own goes where the user says.
    std::string folder;
    if (!restore::HaveOriginalPlaces(*m_contents, {item}) &&
        (folder = PickFolder("Restore this version to:")).empty())
        return;
    Restore({item}, folder);
}

void CRestoreDialog::OnOpenBackup()
{
    const std::string folder = PickFolder("Choose the backup folder to restore from:");
    if (!folder.empty())
        Open({restore::SavedPlanFor(folder, m_context.directory, m_context.files), {}});
}

void CRestoreDialog::OnFilterChange()
{
    if (!m_contents)
        return;
    ++m_filterRound;
    const std::string filter = m_filter.GetWindowText();
    if (!filter.empty())
        Search(filter);
    else
    {
        m_filterTask.Stop();
        m_tree.ShowHoldings(&*m_contents);
        UpdateButtons();
    }
}

LRESULT CRestoreDialog::OnNotify(WPARAM, LPARAM lParam)
{
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    if (header.idFrom == IDC_BACKUP_TREE)
    {
        // FALSE lets the folder open.
        if (m_tree.OnParentNotify(header))
            return FALSE;
        if (header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW)
            UpdateButtons();
    }
    return Default();
}

LRESULT CRestoreDialog::OnChecksChanged(WPARAM, LPARAM)
{
    UpdateButtons();
    return 0;
}

LRESULT CRestoreDialog::OnFound(WPARAM wParam, LPARAM)
{
    std::vector<restore::FoundFile> found;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        // A later keystroke has asked for another filter.
        if (wParam != m_filterRound || m_foundRound != m_filterRound)
            return 0;
        found = std::move(m_found);
    }
    m_tree.ShowFound(found);
    SetHeadline(restore::FoundLine(found.size(), kMostFound));
    UpdateButtons();
    return 0;
}

LRESULT CRestoreDialog::OnAskConflict(WPARAM wParam, LPARAM lParam)
{
    *reinterpret_cast<restore::ConflictAnswer*>(wParam) =
        CConflictDialog(*reinterpret_cast<const restore::Conflict*>(lParam), this).Ask();
    return 0;
}

LRESULT CRestoreDialog::OnProgress(WPARAM, LPARAM)
{
    m_progressPosted = false;
    restore::RestoreProgress progress;
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        progress = m_lastProgress;
    }
    const companions::ProgressText text = companions::ProgressTextOf(
        progress.filesDone, progress.files, progress.bytesDone, progress.bytes);
    m_count.SetWindowText(text.files);
    m_bytes.SetWindowText(text.bytes);
    m_progress.SetPos(text.percent);
    // The restore goes on: the backup it waited for has ended.
    if (std::exchange(m_waitShown, false) && m_restoring && !m_closeWhenDone)
        SetHeadline(kRestoringLine);
    return 0;
}

LRESULT CRestoreDialog::OnWaiting(WPARAM, LPARAM)
{
    if (m_restoring && !m_closeWhenDone)
    {
        SetHeadline(restore::kWaitingForBackupText);
        m_waitShown = true;
    }
    return 0;
}

LRESULT CRestoreDialog::OnRestoreDone(WPARAM, LPARAM)
{
    m_restoreTask.Stop();
    m_restoring = false;
    OnProgress(0, 0);
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        SetHeadline(restore::RestoreFirstLine(m_verdict));
        m_notRestored.Show(restore::NotRestoredList(m_verdict));
    }
    UpdateButtons();
    if (m_closeWhenDone)
        EndDialog(IDCANCEL);
    return 0;
}

void CRestoreDialog::Open(companions::SavedPlanRead read)
{
    m_filterTask.Stop();
    ++m_filterRound;
    m_tree.ShowHoldings(nullptr);
    m_contents.reset();
    std::optional<companions::SavedPlan>& saved = read.saved;
    if (!read.unreadable.empty())
        SetHeadline(companions::UnreadableStoreText(read.unreadable) +
                    "\nOpen the backup folder to restore from.");
    else if (!saved)
        SetHeadline("No backup has been made from this computer yet. Open the backup folder to "
                    "restore from.");
    else
    {
        const std::string destination = saved->plan.destination;
        m_contents = restore::BackupContents::Read(std::move(*saved), m_context.files);
        if (!m_contents)
            SetHeadline(companions::DestinationNotThereText(destination, m_context.files) +
                        " Open another backup folder to restore from.");
    }
    if (m_contents)
    {
        SetHeadline(restore::kChooseFilesLine);
        m_tree.ShowHoldings(&*m_contents);
    }
    m_filter.EnableWindow(m_contents.has_value());
    m_filter.SetWindowText("");
    UpdateButtons();
}

void CRestoreDialog::SetHeadline(const std::string& line)
{
    m_headline.SetWindowText(m_context.notice.empty() ? line : line + "\n" + m_context.notice);
}

void CRestoreDialog::UpdateButtons()
{
    const bool ready = m_contents && !m_restoring;
    const std::vector<restore::RestoreItem> items =
        ready ? m_tree.Checked() : std::vector<restore::RestoreItem>();
    const restore::FoundFile* file = ready ? m_tree.SelectedFile() : nullptr;
    m_restore.EnableWindow(!items.empty() && restore::HaveOriginalPlaces(*m_contents, items));
    m_restoreTo.EnableWindow(!items.empty());
    m_versions.EnableWindow(file != nullptr && file->item.versions > 0);
    m_openBackup.EnableWindow(!m_restoring);
}

void CRestoreDialog::Search(const std::string& filter)
{
    const HWND window = m_hWnd;
    m_filterTask.Start(
        [this, window, round = m_filterRound, filter](const std::atomic<bool>& stop) {
            std::vector<restore::FoundFile> found =
                restore::FindInBackup(*m_contents, filter, kMostFound, stop);
            if (stop)
                return;
            {
                const std::lock_guard<std::mutex> hold(m_lock);
                m_found = std::move(found);
                m_foundRound = round;
            }
            ::PostMessageA(window, kFound, round, 0);
        });
}

void CRestoreDialog::Restore(const std::vector<restore::RestoreItem>& items,
                             const std::string& toFolder)
{
    if (items.empty())
        return;
    const restore::RestoreList list = restore::ListRestore(*m_contents, {items, toFolder});
    if (list.refusal != restore::RestoreRefusal::None)
    {
        MessageBox(restore::RefusalText(list.refusal), kCaption, MB_OK | MB_ICONINFORMATION);
        return;
    }
    m_restoring = true;
    UpdateButtons();
    SetHeadline(kRestoringLine);
    m_notRestored.Show({});
    const HWND window = m_hWnd;
    m_restoreTask.Start([this, window, list](const std::atomic<bool>& stop) {
        RestoreOnThread(window, list, stop);
    });
}

void CRestoreDialog::RestoreOnThread(HWND window, const restore::RestoreList& list,
                                     const std::atomic<bool>& stop)
{
    const std::tm start = platform::LocalTimeNow();
    restore::RestoreVerdict verdict =
        restore::RunRestore(*m_contents, list, start, CallbacksFor(window, stop), m_context.files);
    restore::PublishRestoreReport(verdict, start, m_contents->Destination(), m_context.localAppData,
                                  m_context.files);
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_verdict = std::move(verdict);
    }
    ::PostMessageA(window, kRestoreDone, 0, 0);
}

restore::RestoreCallbacks CRestoreDialog::CallbacksFor(HWND window, const std::atomic<bool>& stop)
{
    restore::RestoreCallbacks callbacks;
    // The question is the window's: its thread asks it and answers.
    callbacks.ask = [window, &stop](const restore::Conflict& conflict) {
        restore::ConflictAnswer answer{restore::ConflictChoice::Skip, true};
        if (!stop)
            ::SendMessageA(window, kAskConflict, reinterpret_cast<WPARAM>(&answer),
                           reinterpret_cast<LPARAM>(&conflict));
        return answer;
    };
    callbacks.progress = [this, window](const restore::RestoreProgress& progress) {
        {
            const std::lock_guard<std::mutex> hold(m_lock);
            m_lastProgress = progress;
        }
        // One message at a time: the window reads the latest when it comes.
        if (!m_progressPosted.exchange(true))
            ::PostMessageA(window, kProgress, 0, 0);
    };
    callbacks.backupRuns = m_context.backupRuns;
    callbacks.pause = PauseBeforeLookingAgain;
    callbacks.waiting = [window] { ::PostMessageA(window, kWaiting, 0, 0); };
    callbacks.keepGoing = [&stop] { return !stop; };
    return callbacks;
}

std::string CRestoreDialog::PickFolder(const char* title)
{
    CFolderDialog dialog(title, "", this, BIF_RETURNONLYFSDIRS);
    return dialog.DoModal() == IDOK ? dialog.SelectedPath() : std::string();
}
