#include "load/companion_dialog.h"

#include "res/resource.h"

CCompanionDialog::CCompanionDialog(UINT nIDTemplate, int headline, CWnd* pParentWnd)
    : CBrandDialog(nIDTemplate, {IDR_MAINFRAME, IDB_BRAND, IDC_PANEL, IDC_BRAND}, headline,
                   pParentWnd)
{
}

BOOL CCompanionDialog::OnInitDialog()
{
    const BOOL result = CBrandDialog::OnInitDialog();
    if (HMENU systemMenu = GetSystemMenu(FALSE))
        for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
            DeleteMenu(systemMenu, command, MF_BYCOMMAND);
    return result;
}
