#include "framework/dialog.h"

#include "framework/win_app.h"
#include "framework/window_text.h"

#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>

namespace
{
// The object that the next dialog window made on this thread is bound to.
CWnd* g_windowToBind = nullptr;

LRESULT CALLBACK BindFirstDialogWindow(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_windowToBind != nullptr)
    {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        // Only a dialog window: the system may make hidden helper windows first.
        if (::GetClassNameA(hWnd, className, sizeof(className)) > 0 &&
            std::strcmp(className, "#32770") == 0)
        {
            CWnd* wnd = g_windowToBind;
            g_windowToBind = nullptr;
            wnd->SubclassWindow(hWnd);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (dialog->m_hWnd != hWnd)
        return FALSE;
    // Unwinding through the dialog manager is undefined: an error stops here.
    try
    {
        return dialog->OnInitDialog();
    }
    catch (const std::exception& error)
    {
        dialog->OnInitDialogFailed(error.what());
    }
    catch (...)
    {
        dialog->OnInitDialogFailed("an unknown error");
    }
    return TRUE;
}
} // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_MESSAGE(WM_DPICHANGED, OnDpiChangedMessage)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    // DoModal left by an exception: the hook must not outlive the object.
    if (m_hCreationHook != nullptr)
        PostModal();
}

HWND CDialog::PreModal()
{
    HWND owner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    CWinApp* app = AfxGetApp();
    if (owner == nullptr && app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this)
        owner = app->m_pMainWnd->m_hWnd;
    // A child window cannot own a popup: its top-level window does.
    while (owner != nullptr && (::GetWindowLongPtrA(owner, GWL_STYLE) & WS_CHILD) != 0)
        owner = ::GetParent(owner);
    g_windowToBind = this;
    m_hCreationHook =
        ::SetWindowsHookExA(WH_CBT, &BindFirstDialogWindow, nullptr, ::GetCurrentThreadId());
    return owner;
}

void CDialog::PostModal()
{
    if (m_hCreationHook != nullptr)
        ::UnhookWindowsHookEx(m_hCreationHook);
    m_hCreationHook = nullptr;
    if (g_windowToBind == this)
        g_windowToBind = nullptr;
    Detach();
}

int CDialog::DoModal()
{
    HWND owner = PreModal();
    const bool enableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);
    m_nModalResult = -1;
    // Set before the window exists, so that EndDialog in OnInitDialog counts.
    m_bInModalLoop = true;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    HWND hWnd = UnicodeWindows()
                    ? ::CreateDialogParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                                           owner, &DialogProc, self)
                    : ::CreateDialogParamA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                           owner, &DialogProc, self);
    if (hWnd != nullptr && hWnd == m_hWnd)
        RunModalLoop();
    m_bInModalLoop = false;
    if (hWnd != nullptr && ::IsWindow(hWnd))
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    // The owner comes back before the dialog goes, so that it gets the activation.
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (hWnd != nullptr && ::IsWindow(hWnd))
    {
        if (owner != nullptr && ::GetActiveWindow() == hWnd)
            ::SetActiveWindow(owner);
        ::DestroyWindow(hWnd);
    }
    PostModal();
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    if (m_bInModalLoop && !IsWindowVisible())
        ShowWindow(SW_SHOWNORMAL);
    // A Unicode window's keys reach it as typed only through the wide calls.
    const bool unicode = UnicodeWindows();
    MSG msg;
    while (m_bInModalLoop && m_hWnd != nullptr)
    {
        const BOOL got =
            unicode ? ::GetMessageW(&msg, nullptr, 0, 0) : ::GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0)
        {
            // WM_QUIT ends every loop: passed on to the one outside this one.
            if (got == 0)
                ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (WalkPreTranslateTree(m_hWnd, &msg) ||
            (unicode ? ::IsDialogMessageW(m_hWnd, &msg) : ::IsDialogMessageA(m_hWnd, &msg)))
            continue;
        ::TranslateMessage(&msg);
        if (unicode)
            ::DispatchMessageW(&msg);
        else
            ::DispatchMessageA(&msg);
    }
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (!m_bInModalLoop)
        return;
    m_bInModalLoop = false;
    // Wakes the loop when the call did not come from a message it dispatched.
    if (m_hWnd != nullptr)
        PostMessage(WM_NULL);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnInitDialogFailed(const char* what)
{
    AfxReportFatalError(what);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange exchange(this, bSaveAndValidate);
    DoDataExchange(&exchange);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
    // A dialog without member controls binds nothing.
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnDpiChanged(UINT)
{
}

LRESULT CDialog::OnDpiChangedMessage(WPARAM wParam, LPARAM)
{
    const LRESULT result = Default();
    OnDpiChanged(LOWORD(wParam));
    return result;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr &&
        !rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd))
        throw std::runtime_error("control " + std::to_string(nIDC) +
                                 " of the dialog cannot be bound");
}
