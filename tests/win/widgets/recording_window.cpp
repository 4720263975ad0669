#include "recording_window.h"

namespace
{
constexpr char kClassName[] = "CorvaneRecordingWindow";

void RegisterOnce(WNDPROC procedure)
{
    WNDCLASSA windowClass{};
    if (GetClassInfoA(GetModuleHandleA(nullptr), kClassName, &windowClass))
        return;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassA(&windowClass);
}
} // namespace

RecordingWindow::RecordingWindow()
{
    RegisterOnce(Procedure);
    m_hwnd = CreateWindowA(kClassName, "Recording", WS_POPUP, 100, 100, 400, 300, nullptr, nullptr,
                           GetModuleHandleA(nullptr), this);
}

RecordingWindow::~RecordingWindow()
{
    DestroyWindow(m_hwnd);
}

LRESULT CALLBACK RecordingWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
    {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self != nullptr && message >= WM_USER && message < WM_APP)
    {
        const auto* text = reinterpret_cast<const char*>(lParam);
        self->m_received.push_back({message, wParam, text != nullptr ? text : ""});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
