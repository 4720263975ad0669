#pragma once

#include "companions/file_reason.h"
#include "framework/framework.h"

#include <vector>

// The files a run could not deal with, as the companions' windows list them:
// a list view of the report style in a dialog template, "File" first and
// "Reason" beside it, sorted by a click on a heading and reversed by the next
// click on the same one.
class CFileReasonList : public CListCtrl
{
  public:
    // Binds the dialog's list view control and gives it its columns.
    BOOL Bind(UINT nID, CWnd* pParent);
    // The files in the order given, or in the order the user sorted by.
    void Show(const std::vector<companions::FileReason>& files);

  protected:
    // The heading's clicks, from the list's own header control.
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    // The dialog has been laid out for another DPI: the columns follow.
    LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

  private:
    static int CALLBACK Compare(LPARAM left, LPARAM right, LPARAM list);
    // The reasons' column in dialog units, the paths' in what is left.
    void FitColumns();
    void FitPaths();

    std::vector<companions::FileReason> m_files;
    // -1 until a heading is clicked.
    int m_sortColumn = -1;
    bool m_descending = false;
};
