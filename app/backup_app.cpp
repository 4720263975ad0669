#include "app/backup_app.h"

#include "app/backup_dialog.h"

CBackupApp theApp;

CBackupApp::CBackupApp() : CWinApp(nullptr)
{
}

BEGIN_MESSAGE_MAP(CBackupApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// The dialog saves and ends the process itself; returning here means Enter or
// Esc ended it without saving, and FALSE ends the application.
BOOL CBackupApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();
    CBackupDialog dialog(InstallDirectory(kInstallDirectory), nullptr);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
