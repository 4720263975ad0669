// The About box and the commands that hand a page or a tool to the shell.
#include "app/about_dialog.h"
#include "app/backup_dialog.h"
#include "app/web_addresses.h"
#include "flows/companion_starts.h"
#include "res/resource.h"

// The system keeps the low four bits of a command for itself.
void CBackupDialog::OnSysCommand(UINT nID, LPARAM)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
    {
        CAboutDialog about;
        about.DoModal();
    }
    else
        Default();
}

void CBackupDialog::OnCheckForUpdates()
{
    m_shell->Start(kUpdatePage, kShowNormal);
}

void CBackupDialog::OnVirtualDrive()
{
    flows::StartCompanions(m_installDirectory, *m_shell, flows::kVirtualDrive);
}
