// Editing the sources and the destination: nothing is written until a backup
// or a save reads the controls.
#include "app/backup_dialog.h"
#include "widgets/folder_dialog.h"

// The one filter shows every file.
static constexpr const char* kAllFilesFilter = "AllFiles (*.*)|*.*|";

void CBackupDialog::OnAddFile()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST, kAllFilesFilter, this);
    if (dialog.DoModal() == IDOK)
        AppendSource(dialog.GetPathName());
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

void CBackupDialog::OnBrowseDestination()
{
    CFolderDialog dialog("Backup To:", "", this, BIF_RETURNONLYFSDIRS);
    if (dialog.DoModal() == IDOK)
        m_destination.SetWindowText(dialog.m_szSelectedPath);
}
