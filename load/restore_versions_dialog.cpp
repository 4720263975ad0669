#include "load/restore_versions_dialog.h"

#include "load/load_resource.h"
#include "restore/restore_view.h"

CVersionsDialog::CVersionsDialog(const std::string& name, std::vector<companions::Version> versions,
                                 CWnd* pParentWnd)
    : CDialog(IDD_VERSIONS, pParentWnd), m_name(name), m_versions(std::move(versions))
{
}

BEGIN_MESSAGE_MAP(CVersionsDialog, CDialog)
ON_LBN_SELCHANGE(IDC_VERSION_LIST, OnSelChange)
ON_LBN_DBLCLK(IDC_VERSION_LIST, OnOK)
END_MESSAGE_MAP()

const companions::Version* CVersionsDialog::Pick()
{
    if (DoModal() != IDOK || m_picked == LB_ERR)
        return nullptr;
    return &m_versions[static_cast<std::size_t>(m_picked)];
}

void CVersionsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_VERSION_LIST, m_list);
    DDX_Control(pDX, IDOK, m_restore);
}

BOOL CVersionsDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_VERSION_FILE, "Versions of " + m_name + ", newest first:");
    for (const companions::Version& version : m_versions)
        m_list.AddString(restore::VersionLine(version).c_str());
    return TRUE;
}

void CVersionsDialog::OnOK()
{
    m_picked = m_list.GetCurSel();
    if (m_picked != LB_ERR)
        EndDialog(IDOK);
}

void CVersionsDialog::OnSelChange()
{
    m_restore.EnableWindow(m_list.GetCurSel() != LB_ERR);
}
