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

BOOL CAboutDialog::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    m_picture.SubclassDlgItem(IDC_ABOUT_PICTURE, this);
    m_iconControl.SubclassDlgItem(IDC_ABOUT_ICON, this);
    ShowPictures(WindowDpi(m_hWnd));
    return result;
}

void CAboutDialog::OnDpiChanged(UINT dpi)
{
    ShowPictures(dpi);
}

void CAboutDialog::OnVisitWebsite()
{
    ShellExecuteShell().Start(kHomePage, kShowNormal);
}

void CAboutDialog::ShowPictures(UINT dpi)
{
    m_picture.Show(IDB_ABOUT, dpi);
    RECT client{};
    GetClientRect(&client);
    CentreAcross(m_picture, client.left, client.right);
    CIcon icon;
    icon.Load(IDR_MAINFRAME, CIcon::kBig, dpi);
    m_iconControl.SetIcon(icon);
    m_icon.Swap(icon);
}
