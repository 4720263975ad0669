#pragma once

#include "app/message_box_prompt.h"
#include "desktop/shell_execute_shell.h"
#include "framework/framework.h"
#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "platform/file_tree.h"
#include "widgets/brand_dialog.h"
#include "widgets/hover_button.h"

#include <array>
#include <string>

// Index of the last source entry, -1 for an empty list. It always equals the
// number of entries minus one; every walk over the sources ends at it.
extern int lastSourceIndex;

// The main window: the source list, the destination, the ten option boxes and
// the commands. Its controls are the only live copy of the selection.
class CBackupDialog : public CBrandDialog
{
  public:
    // The store lives in installDirectory: the fixed one in the program.
    CBackupDialog(const InstallDirectory& installDirectory, CWnd* pParent);
    // Talks to the user and starts programs through the given ports.
    CBackupDialog(const InstallDirectory& installDirectory, Prompt& prompt, Shell& shell,
                  CWnd* pParent);

  protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnDpiChanged(UINT dpi) override;
    // Takes the files dropped on the source list or the destination box.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Called once the store is saved (status 0), or when it could not be
    // loaded (1): destroys the window and ends the process.
    virtual void EndProcess(int status);
    // Nothing could be loaded: tells the user and ends without saving.
    void OnInitDialogFailed(const char* what) override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void RunBackup();
    void OnAddFile();
    void OnAddFolder();
    void OnRemoveSelected();
    void OnBrowseDestination();
    void OnCheckForUpdates();
    void OnAllFileTypes();
    void OnModifiedOnly();
    // The close box, Alt+F4 and the system menu's Close save and end the program.
    void OnClose();
    void OnDestroy();
    void OnVirtualDrive();
    void OnSourceSelChange();
    void OnAutoBackupOnShutdown();
    void OnBackupOnModify();

    // Saves the selection and ends the process; stays open when the store
    // refuses a source entry (it has told the user why).
    void SaveAndExit();

    CButton m_removeSelected;
    CButton m_modifiedOnly;
    CButton m_hidden;
    CButton m_backupOnModify;
    CButton m_pictures;
    CButton m_allFileTypes;
    CButton m_audioMusic;
    CButton m_video;
    CButton m_documents;
    CButton m_systemState;
    CEdit m_destination;
    CListBox m_sourceList;
    CButton m_autoBackupOnShutdown;
    CHoverButton m_backupNow;

    DECLARE_MESSAGE_MAP()

  private:
    BackupSelection ReadSelection() const;
    void LoadStore();
    // The button's frames for `dpi`, in the middle of the column.
    void ShowBackupNow(UINT dpi);
    // Adds the path at the end of the list; the counter follows only when the
    // list took it.
    void AppendSource(const char* path);
    void OnDropFiles(HWND target, HDROP drop);

    InstallDirectory m_installDirectory;
    MessageBoxPrompt m_messageBoxPrompt;
    ShellExecuteShell m_shellExecute;
    Prompt* m_prompt;
    Shell* m_shell;
    // The store is on the disk itself.
    platform::FileTree& m_files;
    // The ten boxes in the order of OptionFlag.
    std::array<CButton*, kOptionFlagCount> m_optionBoxes;
    // What "All File Types" locks: the four file-type boxes and Hidden.
    std::array<CButton*, 5> m_typeBoxes;
};
