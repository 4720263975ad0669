#pragma once

#include "framework/gdi.h"

#include <string>
#include <windows.h>

// The agent's one icon in the notification area, owned by its hidden window:
// there only while Show has something to say. Nothing it does takes the
// focus.
class NotifyIcon
{
  public:
    // Sent to the window for the icon's and its balloon's events.
    static constexpr UINT kMessage = WM_APP + 30;
    static constexpr UINT kId = 1;

    explicit NotifyIcon(HWND window);
    ~NotifyIcon();
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

    // The text (path code) as the icon's tooltip, the icon added where it is
    // not there; with a balloon of the same text when `balloon`, which
    // Windows holds back in quiet hours.
    void Show(const std::string& text, bool balloon);
    void Hide();
    bool Shown() const { return m_shown; }

    // What an event of the icon asks for.
    enum class Event
    {
        None,
        // Clicked, chosen from the keyboard, or its balloon clicked.
        Open,
        // The balloon went without a click.
        BalloonGone,
    };
    static Event OnMessage(LPARAM lParam);
    // Windows' message when the taskbar is made again (Explorer restarted):
    // every icon must be added anew.
    static UINT TaskbarCreated();
    void OnTaskbarCreated();

  private:
    bool Add();

    HWND m_window;
    CIcon m_icon;
    // Empty while the icon is not wanted.
    std::wstring m_tip;
    bool m_shown = false;
};
