#include "load/notify_icon.h"

#include "framework/display.h"
#include "platform/win32/wide_text.h"
#include "res/resource.h"

#include <shellapi.h>

namespace
{

constexpr const wchar_t* kBalloonTitle = L"Corvane Backup";

// Cut to what fits `size` characters with the ending zero: an ellipsis says
// that more was meant.
template <std::size_t size> void CopyCut(const std::wstring& text, wchar_t (&into)[size])
{
    std::wstring fitting = text;
    if (fitting.size() >= size)
        fitting = fitting.substr(0, size - 2) + L"\u2026";
    fitting.copy(into, size - 1);
    into[fitting.size()] = L'\0';
}

} // namespace

NotifyIcon::NotifyIcon(HWND window) : m_window(window)
{
    // The program's own icon, at the taskbar's size.
    if (!m_icon.Load(IDR_MAINFRAME, CIcon::kSmall, WindowDpi(window)))
        m_icon.m_hIcon = CopyIcon(LoadIconW(nullptr, MAKEINTRESOURCEW(32515))); // IDI_WARNING
}

NotifyIcon::~NotifyIcon()
{
    Hide();
}

bool NotifyIcon::Add()
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_window;
    data.uID = kId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
    data.uCallbackMessage = kMessage;
    data.hIcon = m_icon;
    CopyCut(m_tip, data.szTip);
    if (!Shell_NotifyIconW(NIM_ADD, &data))
        return false;
    // Version 4: a click comes as NIN_SELECT, the keyboard's as NIN_KEYSELECT.
    data.uVersion = NOTIFYICON_VERSION_4;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
    return true;
}

void NotifyIcon::Show(const std::string& text, bool balloon)
{
    m_tip = platform::WideFromPath(text);
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_window;
    data.uID = kId;
    data.uFlags = NIF_TIP | NIF_SHOWTIP;
    CopyCut(m_tip, data.szTip);
    if (!m_shown || !Shell_NotifyIconW(NIM_MODIFY, &data))
        m_shown = Add();
    if (!m_shown || !balloon)
        return;
    data.uFlags = NIF_INFO;
    CopyCut(m_tip, data.szInfo);
    CopyCut(std::wstring(kBalloonTitle), data.szInfoTitle);
    data.dwInfoFlags = NIIF_WARNING | NIIF_RESPECT_QUIET_TIME;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void NotifyIcon::Hide()
{
    m_tip.clear();
    if (!m_shown)
        return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = m_window;
    data.uID = kId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    m_shown = false;
}

NotifyIcon::Event NotifyIcon::OnMessage(LPARAM lParam)
{
    switch (LOWORD(lParam))
    {
    case NIN_SELECT:
    case NIN_KEYSELECT:
    case NIN_BALLOONUSERCLICK:
        return Event::Open;
    case NIN_BALLOONTIMEOUT:
        return Event::BalloonGone;
    default:
        return Event::None;
    }
}

UINT NotifyIcon::TaskbarCreated()
{
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

void NotifyIcon::OnTaskbarCreated()
{
    // Also when there was no taskbar to add it to before.
    if (!m_tip.empty())
        m_shown = Add();
}
