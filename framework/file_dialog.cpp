#include "framework/file_dialog.h"

#include "framework/win_app.h"
#include "platform/win32/system_function.h"

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

std::string ConvertFilter(const std::string& barSeparated)
{
    std::string filter = barSeparated.substr(0, barSeparated.find_last_not_of('|') + 1);
    for (char& c : filter)
    {
        if (c == '|')
            c = '\0';
    }
    filter.append(2, '\0');
    return filter;
}

CFileDialog::CFileDialog(BOOL, LPCSTR lpszDefExt, LPCSTR lpszFileName, DWORD dwFlags,
                         LPCSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn{},
      m_filter(lpszFilter != nullptr ? ConvertFilter(lpszFilter) : std::string()),
      m_defaultExtension(lpszDefExt != nullptr ? lpszDefExt : ""), m_szFileName{}
{
    if (lpszFileName != nullptr)
        ::lstrcpynA(m_szFileName, lpszFileName, MAX_PATH);
    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.hInstance = AfxGetInstanceHandle();
    m_ofn.lpstrFilter = lpszFilter != nullptr ? m_filter.c_str() : nullptr;
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.Flags = dwFlags | OFN_EXPLORER;
    m_ofn.lpstrDefExt = lpszDefExt != nullptr ? m_defaultExtension.c_str() : nullptr;
}

int CFileDialog::DoModal()
{
    static const auto open =
        platform::SystemFunction<decltype(&GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    m_ofn.hwndOwner = PreModal();
    const BOOL chosen = open != nullptr && open(&m_ofn);
    PostModal();
    return chosen ? IDOK : IDCANCEL;
}

std::string CFileDialog::GetPathName() const
{
    return m_szFileName;
}
