#include "load/restore_conflict_dialog.h"

#include "load/load_resource.h"
#include "restore/restore_view.h"

CConflictDialog::CConflictDialog(const restore::Conflict& conflict, CWnd* pParentWnd)
    : CDialog(IDD_CONFLICT, pParentWnd), m_conflict(conflict)
{
}

BEGIN_MESSAGE_MAP(CConflictDialog, CDialog)
ON_BN_CLICKED(IDC_REPLACE, OnReplace)
ON_BN_CLICKED(IDC_FOR_ALL, OnForAll)
END_MESSAGE_MAP()

restore::ConflictAnswer CConflictDialog::Ask()
{
    const int answer = DoModal();
    const restore::ConflictChoice choice = answer == IDOK ? restore::ConflictChoice::KeepBoth
                                           : answer == IDC_REPLACE
                                               ? restore::ConflictChoice::Replace
                                               : restore::ConflictChoice::Skip;
    return {choice, m_answerForAll};
}

void CConflictDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FOR_ALL, m_forAll);
}

BOOL CConflictDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_CONFLICT_PATH, m_conflict.target);
    SetDlgItemText(IDC_YOUR_FILE,
                   restore::FactsLine(m_conflict.targetSize, m_conflict.targetLastWrite));
    SetDlgItemText(IDC_BACKUP_COPY,
                   restore::FactsLine(m_conflict.copySize, m_conflict.copyLastWrite));
    return TRUE;
}

void CConflictDialog::OnReplace()
{
    EndDialog(IDC_REPLACE);
}

void CConflictDialog::OnForAll()
{
    m_answerForAll = m_forAll.GetCheck() == BST_CHECKED;
}
