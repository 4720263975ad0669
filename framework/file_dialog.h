#pragma once

#include "framework/common_dialog.h"

#include <commdlg.h>
#include <string>

// The system's file open dialog: the program saves no file through one.
class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)

  public:
    // lpszFilter: pairs of label and pattern separated by '|', e.g.
    // "Text (*.txt)|*.txt|All (*.*)|*.*|". Null texts mean none.
    // bOpenFileDialog must be TRUE, as the program's one caller has it.
    explicit CFileDialog(BOOL bOpenFileDialog, LPCSTR lpszDefExt = nullptr,
                         LPCSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                         LPCSTR lpszFilter = nullptr, CWnd* pParentWnd = nullptr);

    // IDOK when a file was chosen, IDCANCEL otherwise (cancelled or failed).
    int DoModal() override;
    // The chosen file's full path.
    std::string GetPathName() const;

    OPENFILENAMEA m_ofn;

  private:
    std::string m_filter;
    std::string m_defaultExtension;
    char m_szFileName[MAX_PATH];
};

// The system's filter format from the '|'-separated one: each '|' becomes a NUL,
// and the result ends with two NULs whether or not the text ended with '|'.
std::string ConvertFilter(const std::string& barSeparated);
