#pragma once

#include "framework/wnd.h"

#include <commctrl.h>
#include <string>

// Control objects are bound to controls of a dialog template (DDX_Control or
// SubclassDlgItem); each call below is the control's own message. Texts are
// in the process's path code (window_text.h).

class CButton : public CWnd
{
    DECLARE_DYNAMIC(CButton)

  public:
    // BST_UNCHECKED (0), BST_CHECKED (1) or BST_INDETERMINATE (2).
    int GetCheck() const;
    void SetCheck(int nCheck);
};

// A button that the owner draws; derived classes draw it in DrawItem.
class CBitmapButton : public CButton
{
    DECLARE_DYNAMIC(CBitmapButton)
};

class CEdit : public CWnd
{
    DECLARE_DYNAMIC(CEdit)
};

class CListBox : public CWnd
{
    DECLARE_DYNAMIC(CListBox)

  public:
    // The new entry's index, or LB_ERR / LB_ERRSPACE when the list refused it.
    int AddString(const char* text);
    // The number of entries left, or LB_ERR for an index out of range.
    int DeleteString(UINT nIndex);
    // The selected entry's index, or LB_ERR when none is selected.
    int GetCurSel() const;
    // The entry's text; empty for an index out of range.
    std::string GetText(int nIndex) const;
};

// A list view of the report style: rows of text under column headings.
class CListCtrl : public CWnd
{
    DECLARE_DYNAMIC(CListCtrl)

  public:
    // Registers the class, so that a dialog template made after this can hold one.
    CListCtrl();

    // The new column's index, or -1 when the list refused it.
    int InsertColumn(int nCol, const std::string& heading, int width);
    int GetColumnWidth(int nCol) const;
    // A width in pixels, or LVSCW_AUTOSIZE to fit the widest text.
    BOOL SetColumnWidth(int nCol, int cx);
    // LVS_EX_ flags; the flags before.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    // The new row's index, or -1 when the list refused it; lParam is the
    // row's own value, the one SortItems compares.
    int InsertItem(int nItem, const std::string& text, LPARAM lParam);
    BOOL SetItemText(int nItem, int nSubItem, const std::string& text);
    BOOL DeleteAllItems();
    // Orders the rows by compare(lParam1, lParam2, data) of their values.
    BOOL SortItems(PFNLVCOMPARE compare, LPARAM data);
};

// A tree view: items below items, each with a value of its own. With
// TVS_CHECKBOXES each item has a check box.
class CTreeCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTreeCtrl)

  public:
    // Registers the class, so that a dialog template made after this can hold one.
    CTreeCtrl();

    // The new item, last among hParent's children (TVI_ROOT: a top item), or
    // null. `hasChildren` shows the button that expands it before its
    // children are there.
    HTREEITEM InsertItem(const std::string& text, HTREEITEM hParent, LPARAM lParam,
                         bool hasChildren);
    BOOL DeleteItem(HTREEITEM hItem);
    BOOL DeleteAllItems();
    // The first child (of TVI_ROOT: the first top item), the next sibling, the
    // parent; null where there is none.
    HTREEITEM GetChildItem(HTREEITEM hItem) const;
    HTREEITEM GetNextSiblingItem(HTREEITEM hItem) const;
    HTREEITEM GetParentItem(HTREEITEM hItem) const;
    HTREEITEM GetSelectedItem() const;
    BOOL SelectItem(HTREEITEM hItem);
    LPARAM GetItemData(HTREEITEM hItem) const;
    BOOL GetCheck(HTREEITEM hItem) const;
    BOOL SetCheck(HTREEITEM hItem, BOOL bCheck);
    // TVE_EXPAND or TVE_COLLAPSE.
    BOOL Expand(HTREEITEM hItem, UINT nCode);
    BOOL SetHasChildren(HTREEITEM hItem, bool hasChildren);
};

class CStatic : public CWnd
{
    DECLARE_DYNAMIC(CStatic)

  public:
    // A picture control's image, which stays the caller's to delete; each
    // returns the image shown before.
    HBITMAP SetBitmap(HBITMAP hBitmap);
    HICON SetIcon(HICON hIcon);
};

// A progress bar over the default range, 0 to 100.
class CProgressCtrl : public CWnd
{
    DECLARE_DYNAMIC(CProgressCtrl)

  public:
    // The position before.
    int SetPos(int nPos);
};

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)

  public:
    // Makes the tooltip window, owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
    void Activate(BOOL bActivate);
    // Lets the tooltip see a mouse message bound for one of its tools.
    void RelayEvent(LPMSG lpMsg);
};
