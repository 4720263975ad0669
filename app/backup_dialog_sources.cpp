// Editing the sources and the destination: nothing is written until a backup
// or a save reads the controls.
#include "app/backup_dialog.h"
#include "app/drop_files.h"
#include "platform/file_tree.h"
#include "widgets/folder_dialog.h"

// The one filter shows every file.
static constexpr const char* kAllFilesFilter = "AllFiles (*.*)|*.*|";

void CBackupDialog::OnAddFile()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, kAllFilesFilter, this);
    if (dialog.DoModal() == IDOK)
        AppendSource(dialog.GetPathName().c_str());
}

void CBackupDialog::OnAddFolder()
{
    CFolderDialog dialog("Folder To Backup:", "", this, BIF_RETURNONLYFSDIRS);
    if (dialog.DoModal() == IDOK)
        AppendSource(dialog.m_szSelectedPath);
}

// Without a selection there is nothing to remove.
void CBackupDialog::OnRemoveSelected()
{
    const int selected = m_sourceList.GetCurSel();
    if (selected == LB_ERR)
        return;
    m_sourceList.DeleteString(selected);
    --lastSourceIndex;
    m_removeSelected.EnableWindow(FALSE);
}

// Only the user changes the selection; adding and removing entries do not.
void CBackupDialog::OnSourceSelChange()
{
    m_removeSelected.EnableWindow(TRUE);
}

// Explorer posts a drop to the control under the pointer: both controls accept
// files, and the dialog takes the drop on their behalf.
BOOL CBackupDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_DROPFILES &&
        (pMsg->hwnd == m_sourceList.m_hWnd || pMsg->hwnd == m_destination.m_hWnd))
    {
        OnDropFiles(pMsg->hwnd, reinterpret_cast<HDROP>(pMsg->wParam));
        return TRUE;
    }
    return CBrandDialog::PreTranslateMessage(pMsg);
}

// Dropped on the list, files and folders are added in the order given, as
// "Add File" and "Add Folder" add them; dropped on the destination box, one
// folder becomes the destination and anything else is ignored.
void CBackupDialog::OnDropFiles(HWND target, HDROP drop)
{
    const std::vector<std::string> paths = TakeDroppedPaths(drop);
    if (target == m_sourceList.m_hWnd)
    {
        for (const std::string& path : paths)
            AppendSource(path.c_str());
    }
    else if (paths.size() == 1 && m_files.IsFolder(paths[0]))
        m_destination.SetWindowText(paths[0]);
}

void CBackupDialog::OnBrowseDestination()
{
    CFolderDialog dialog("Backup To:", "", this, BIF_RETURNONLYFSDIRS);
    if (dialog.DoModal() == IDOK)
        m_destination.SetWindowText(dialog.m_szSelectedPath);
}
