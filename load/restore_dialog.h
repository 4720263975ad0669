#pragma once

#include "companions/saved_plan.h"
#include "framework/framework.h"
#include "load/background_task.h"
#include "load/companion_dialog.h"
#include "load/file_reason_list.h"
#include "load/restore_tree.h"
#include "model/install_directory.h"
#include "restore/backup_contents.h"
#include "restore/restore_plan.h"

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

// What the restore window works with.
struct RestoreWindowContext
{
    platform::FileTree& files;
    // Where the saved selection and its destination are read from.
    InstallDirectory directory;
    // Where the profile's copy of each restore's report goes.
    std::string localAppData;
    // Whether a backup of "Backup Now" runs now: the restore waits for its
    // end, and Close ends the wait. Unset: none runs.
    std::function<bool()> backupRuns;
    // Said under the first line, such as the rights the window runs with.
    std::string notice;
};

// The restore window: what the backup holds as a tree by source, a filter by
// name, and the restore of what the user checks, run on a thread of its own
// while the window shows its progress and asks about conflicts.
class CRestoreDialog : public CCompanionDialog
{
  public:
    explicit CRestoreDialog(RestoreWindowContext context);
    ~CRestoreDialog() override;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // "Restore": the checked items back where they came from.
    void OnOK() override;
    // "Close" and Esc; a restore under way is stopped first.
    void OnCancel() override;
    void OnRestoreTo();
    void OnVersions();
    void OnOpenBackup();
    void OnFilterChange();
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnChecksChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnFound(WPARAM wParam, LPARAM lParam);
    LRESULT OnAskConflict(WPARAM wParam, LPARAM lParam);
    LRESULT OnProgress(WPARAM wParam, LPARAM lParam);
    LRESULT OnWaiting(WPARAM wParam, LPARAM lParam);
    LRESULT OnRestoreDone(WPARAM wParam, LPARAM lParam);

    CStatic m_headline;
    CEdit m_filter;
    CBackupTree m_tree;
    CProgressCtrl m_progress;
    CStatic m_count;
    CStatic m_bytes;
    CFileReasonList m_notRestored;
    CButton m_restore;
    CButton m_restoreTo;
    CButton m_versions;
    CButton m_openBackup;

    DECLARE_MESSAGE_MAP()

  private:
    void Open(companions::SavedPlanRead read);
    void SetHeadline(const std::string& line);
    void UpdateButtons();
    // Finds the files whose names hold the filter on a thread of its own.
    void Search(const std::string& filter);
    void Restore(const std::vector<restore::RestoreItem>& items, const std::string& toFolder);
    // On the restore's thread: restores, reports and tells the window.
    void RestoreOnThread(HWND window, const restore::RestoreList& list,
                         const std::atomic<bool>& stop);
    // What the restore's thread asks and tells the window.
    restore::RestoreCallbacks CallbacksFor(HWND window, const std::atomic<bool>& stop);
    // A folder the user picks in the folder browser; empty when none.
    std::string PickFolder(const char* title);

    RestoreWindowContext m_context;
    std::optional<restore::BackupContents> m_contents;

    BackgroundTask m_filterTask;
    unsigned m_filterRound = 0;
    std::mutex m_lock;
    std::vector<restore::FoundFile> m_found;
    unsigned m_foundRound = 0;

    BackgroundTask m_restoreTask;
    bool m_restoring = false;
    bool m_closeWhenDone = false;
    // The headline says that the restore waits for a running backup.
    bool m_waitShown = false;
    std::atomic<bool> m_progressPosted{false};
    restore::RestoreProgress m_lastProgress;
    restore::RestoreVerdict m_verdict;
};
