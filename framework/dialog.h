#pragma once

#include "framework/wnd.h"

class CDataExchange;

// A dialog from a template in the program's resources, run modally by DoModal:
// created modeless, its owner disabled, with a message loop of its own that gives
// PreTranslateMessage to the target window and its parents before IsDialogMessage.
class CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)

  public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the window cannot be made.
    virtual int DoModal();
    // Ends the modal loop; DoModal returns nResult.
    void EndDialog(int nResult);

    // Called when the window has been made: exchanges data (UpdateData(FALSE)).
    // TRUE lets the dialog manager give the focus to the first tab stop; return
    // FALSE after setting the focus yourself.
    virtual BOOL OnInitDialog();
    // OnInitDialog failed with an error: by default the application reports it
    // and ends.
    virtual void OnInitDialogFailed(const char* what);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // The owner a modal window should have: the parent's top-level window, or the
    // application's main window when there is no parent. From here to PostModal the
    // first dialog window made on this thread is subclassed by this object, so
    // dialogs made by the system (common dialogs) pass through its message map.
    HWND PreModal();
    // Ends what PreModal began and unbinds the window if it still exists.
    void PostModal();

  protected:
    // Binds members to controls (DDX_Control); called by UpdateData.
    virtual void DoDataExchange(CDataExchange* pDX);
    // The default commands: both end the dialog, with IDOK and IDCANCEL.
    virtual void OnOK();
    virtual void OnCancel();
    // Windows has laid the controls out again for another DPI (the window
    // moved to a monitor of another scale, or the scale changed): what the
    // dialog sizes itself follows here. By default there is nothing.
    virtual void OnDpiChanged(UINT dpi);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

  private:
    void RunModalLoop();
    // The dialog's own procedure lays the controls out first; then
    // OnDpiChanged.
    LRESULT OnDpiChangedMessage(WPARAM wParam, LPARAM lParam);

    HHOOK m_hCreationHook = nullptr;
    bool m_bInModalLoop = false;
    int m_nModalResult = -1;
};

class CDataExchange
{
  public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
    {
    }

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
};

// Subclasses control nIDC of the dialog with rControl, once: a control object that
// already has a window is left as it is. Throws when the control cannot be bound.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
