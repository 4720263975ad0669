#pragma once

#include <string>
#include <vector>
#include <windows.h>

// A plain hidden popup window that records the messages sent to it at or above
// WM_USER, with lParam read as text, as the folder browser would receive them.
class RecordingWindow
{
  public:
    struct Sent
    {
        UINT message;
        WPARAM wParam;
        std::string text;
        bool operator==(const Sent& other) const
        {
            return message == other.message && wParam == other.wParam && text == other.text;
        }
    };

    RecordingWindow();
    ~RecordingWindow();
    RecordingWindow(const RecordingWindow&) = delete;
    RecordingWindow& operator=(const RecordingWindow&) = delete;

    HWND Handle() const { return m_hwnd; }
    const std::vector<Sent>& Received() const { return m_received; }

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd;
    std::vector<Sent> m_received;
};
