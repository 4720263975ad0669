#pragma once

#include "framework/cmd_target.h"

#include <string>
#include <windows.h>

struct CPoint : POINT
{
    CPoint(int initX = 0, int initY = 0) : POINT{initX, initY} {}
};

// A window object: an HWND and very little else. Attaching binds the object to
// the window (FromHandlePermanent finds it); subclassing also routes the
// window's messages through the object's message map. The binding ends when the
// window is destroyed or the object is detached.
class CWnd : public CCmdTarget
{
    DECLARE_DYNAMIC(CWnd)

  public:
    CWnd() = default;
    // Destroys a window that is still bound to the object.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to a window, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    BOOL Attach(HWND hWndNew);
    // Ends the binding; a subclassed window gets its previous procedure back.
    HWND Detach();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

    // Called by the framework's message loops for a message bound for this window
    // or one of its children before it is dispatched; TRUE means it was handled.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Runs the message map; messages it does not handle go to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's previous procedure (or the system's default).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Owner-drawn controls draw themselves here when their parent is asked to.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    int MessageBox(const std::string& text, const std::string& caption, UINT nType = MB_OK);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    // Texts in the process's path code (window_text.h).
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void SetDlgItemText(int nID, const std::string& text);
    void InvalidateRect(const RECT* lpRect, BOOL bErase = TRUE);
    void GetClientRect(LPRECT lpRect) const;
    BOOL IsIconic() const;
    // A handle to the window's system menu (null if it has none); bRevert resets it.
    HMENU GetSystemMenu(BOOL bRevert) const;
    void BringWindowToTop();
    BOOL SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    virtual BOOL DestroyWindow();
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);

  protected:
    // The default processing of the message being handled.
    LRESULT Default();

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    void OnClose();
    void OnDestroy();
    void OnMouseMove(UINT nFlags, CPoint point);
    // Hands the request to the object of the control that asked for it.
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);

    DECLARE_MESSAGE_MAP()

  private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr; // the procedure replaced by subclassing
};

// Walks the target window and its parents, up to and including hWndStop, calling
// PreTranslateMessage on each bound object; TRUE as soon as one handled it.
BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
