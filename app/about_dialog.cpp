#include "app/about_dialog.h"

#include "app/web_addresses.h"
#include "desktop/shell_execute_shell.h"
#include "res/resource.h"

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX)
{
}

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
ON_BN_CLICKED(IDC_VISIT_WEBSITE, OnVisitWebsite)
END_MESSAGE_MAP()

void CAboutDialog::OnVisitWebsite()
{
    ShellExecuteShell().Start(kHomePage, kShowNormal);
}
