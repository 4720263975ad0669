#include "load/file_reason_list.h"

#include "platform/win32/wide_text.h"

namespace
{

enum Column
{
    kFile,
    kReason,
};

// Wide enough for the longest reason, in dialog units.
constexpr int kReasonWidth = 96;

} // namespace

BEGIN_MESSAGE_MAP(CFileReasonList, CListCtrl)
ON_MESSAGE(WM_NOTIFY, OnNotify)
ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

BOOL CFileReasonList::Bind(UINT nID, CWnd* pParent)
{
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertColumn(kFile, "File", 0);
    InsertColumn(kReason, "Reason", 0);
    FitColumns();
    return TRUE;
}

void CFileReasonList::Show(const std::vector<companions::FileReason>& files)
{
    m_files = files;
    DeleteAllItems();
    for (size_t i = 0; i < m_files.size(); ++i)
    {
        const int row = InsertItem(static_cast<int>(i), m_files[i].path, static_cast<LPARAM>(i));
        SetItemText(row, kReason, m_files[i].reason);
    }
    if (m_sortColumn >= 0)
        SortItems(&CFileReasonList::Compare, reinterpret_cast<LPARAM>(this));
    FitPaths();
}

LRESULT CFileReasonList::OnDpiChangedAfterParent(WPARAM, LPARAM)
{
    FitColumns();
    return Default();
}

LRESULT CFileReasonList::OnNotify(WPARAM, LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHEADERA*>(lParam);
    // The header speaks the list's character set, Unicode on every system.
    if (header->hdr.code == HDN_ITEMCLICKW || header->hdr.code == HDN_ITEMCLICKA)
    {
        m_descending = header->iItem == m_sortColumn && !m_descending;
        m_sortColumn = header->iItem;
        SortItems(&CFileReasonList::Compare, reinterpret_cast<LPARAM>(this));
    }
    return Default();
}

int CALLBACK CFileReasonList::Compare(LPARAM left, LPARAM right, LPARAM list)
{
    const auto& self = *reinterpret_cast<const CFileReasonList*>(list);
    const companions::FileReason& a = self.m_files[static_cast<size_t>(left)];
    const companions::FileReason& b = self.m_files[static_cast<size_t>(right)];
    // Letter case makes no other file on Windows; equal texts keep the order given.
    const auto compare = [](const std::string& a, const std::string& b) {
        return lstrcmpiW(platform::WideFromPath(a).c_str(), platform::WideFromPath(b).c_str());
    };
    int order = self.m_sortColumn == kReason ? compare(a.reason, b.reason) : 0;
    if (order == 0)
        order = compare(a.path, b.path);
    if (self.m_descending)
        order = -order;
    return order != 0 ? order : (left > right) - (left < right);
}

void CFileReasonList::FitColumns()
{
    RECT reason = {0, 0, kReasonWidth, 0};
    MapDialogRect(::GetParent(m_hWnd), &reason);
    SetColumnWidth(kReason, reason.right);
    FitPaths();
}

// The paths are long: their column takes what the reasons leave and grows to
// the longest path, and the list scrolls sideways to its end.
void CFileReasonList::FitPaths()
{
    RECT client;
    GetClientRect(&client);
    const int room = client.right - GetColumnWidth(kReason) -
                     SystemMetricForDpi(SM_CXVSCROLL, WindowDpi(m_hWnd));
    SetColumnWidth(kFile, LVSCW_AUTOSIZE);
    if (GetColumnWidth(kFile) < room)
        SetColumnWidth(kFile, room);
}
