#include "framework/wnd.h"

#include "framework/fatal_error.h"
#include "framework/window_text.h"

#include <exception>

namespace
{
// The window property that points from a window to its bound object.
constexpr char kObjectProperty[] = "Corvane.CWnd";

// The message being handled, for Default(); saved and restored around each
// dispatch, because handlers send messages and run nested loops.
MSG g_currentMessage;

// The wide call keeps a Unicode window Unicode; the ANSI one would make it an
// ANSI window, its texts turned into the code page.
WNDPROC SetProcedure(HWND hWnd, WNDPROC procedure)
{
    const auto value = reinterpret_cast<LONG_PTR>(procedure);
    return reinterpret_cast<WNDPROC>(UnicodeWindows()
                                         ? ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, value)
                                         : ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, value));
}

} // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CWnd::~CWnd()
{
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
    Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty));
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWndNew) != nullptr)
        return FALSE;
    if (!::SetPropA(hWndNew, kObjectProperty, this))
        return FALSE;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr)
        return nullptr;
    if (m_pfnSuper != nullptr)
    {
        SetProcedure(hWnd, m_pfnSuper);
        m_pfnSuper = nullptr;
    }
    ::RemovePropA(hWnd, kObjectProperty);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    m_pfnSuper = SetProcedure(hWnd, &CWnd::WndProc);
    if (m_pfnSuper == nullptr)
    {
        Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (wnd == nullptr)
        return UnicodeWindows() ? ::DefWindowProcW(hWnd, message, wParam, lParam)
                                : ::DefWindowProcA(hWnd, message, wParam, lParam);
    const MSG saved = g_currentMessage;
    g_currentMessage = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    // Unwinding through the system's frames is undefined: an error stops here,
    // is shown, and ends the program.
    try
    {
        result = wnd->WindowProc(message, wParam, lParam);
    }
    catch (const std::exception& error)
    {
        AfxReportFatalError(error.what());
    }
    catch (...)
    {
        AfxReportFatalError("an unknown error");
    }
    g_currentMessage = saved;
    // The last message a window gets: the object lets go of it.
    if (message == WM_NCDESTROY && FromHandlePermanent(hWnd) == wnd)
        wnd->Detach();
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (DispatchMessageMap(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (UnicodeWindows())
        return m_pfnSuper != nullptr
                   ? ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam)
                   : ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(g_currentMessage.message, g_currentMessage.wParam,
                         g_currentMessage.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::DrawItem(LPDRAWITEMSTRUCT)
{
    // A control without drawing of its own stays blank, as the system leaves it.
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CWnd* control = lpDrawItemStruct->CtlType == ODT_MENU
                        ? nullptr
                        : FromHandlePermanent(lpDrawItemStruct->hwndItem);
    if (control != nullptr)
        control->DrawItem(lpDrawItemStruct);
    else
        Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnDestroy()
{
    Default();
}

void CWnd::OnMouseMove(UINT, CPoint)
{
    Default();
}

BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd))
    {
        CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
        if (wnd != nullptr && wnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}
