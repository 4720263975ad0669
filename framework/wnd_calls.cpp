#include "framework/window_text.h"
#include "framework/wnd.h"

// The window's own calls: each is the Win32 call on m_hWnd.

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT nType)
{
    if (UnicodeWindows())
        return ::MessageBoxW(m_hWnd, platform::WideFromPath(text).c_str(),
                             platform::WideFromPath(caption).c_str(), nType);
    return ::MessageBoxA(m_hWnd, text.c_str(), caption.c_str(), nType);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    return ::EnableWindow(m_hWnd, bEnable);
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    return ::ShowWindow(m_hWnd, nCmdShow);
}

BOOL CWnd::IsWindowVisible() const
{
    return ::IsWindowVisible(m_hWnd);
}

void CWnd::SetWindowText(const std::string& text)
{
    if (UnicodeWindows())
        ::SetWindowTextW(m_hWnd, platform::WideFromPath(text).c_str());
    else
        ::SetWindowTextA(m_hWnd, text.c_str());
}

std::string CWnd::GetWindowText() const
{
    if (UnicodeWindows())
    {
        std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
        text.resize(static_cast<size_t>(
            ::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
        return platform::PathFromWide(text);
    }
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    text.resize(
        static_cast<size_t>(::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

void CWnd::SetDlgItemText(int nID, const std::string& text)
{
    if (UnicodeWindows())
        ::SetDlgItemTextW(m_hWnd, nID, platform::WideFromPath(text).c_str());
    else
        ::SetDlgItemTextA(m_hWnd, nID, text.c_str());
}

void CWnd::InvalidateRect(const RECT* lpRect, BOOL bErase)
{
    ::InvalidateRect(m_hWnd, lpRect, bErase);
}

void CWnd::GetClientRect(LPRECT lpRect) const
{
    ::GetClientRect(m_hWnd, lpRect);
}

BOOL CWnd::IsIconic() const
{
    return ::IsIconic(m_hWnd);
}

HMENU CWnd::GetSystemMenu(BOOL bRevert) const
{
    return ::GetSystemMenu(m_hWnd, bRevert);
}

void CWnd::BringWindowToTop()
{
    ::BringWindowToTop(m_hWnd);
}

BOOL CWnd::SetWindowPos(HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return FALSE;
    const BOOL destroyed = ::DestroyWindow(m_hWnd);
    // A window that was only attached sends its last message past the object.
    if (m_hWnd != nullptr && !::IsWindow(m_hWnd))
        Detach();
    return destroyed;
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}
