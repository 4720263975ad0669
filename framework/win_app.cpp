#include "framework/win_app.h"

#include <string>

namespace
{
CWinApp* g_app = nullptr;

[[noreturn]] void ShowAndEnd(const char* what)
{
    const std::string text =
        std::string("Error ") + what + " \nDetails:The program ended without saving";
    ::MessageBoxA(nullptr, text.c_str(), "ERROR", MB_ICONHAND | MB_OK);
    ::ExitProcess(3);
}
} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(lpszAppName), m_hInstance(::GetModuleHandleA(nullptr))
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        if (WalkPreTranslateTree(nullptr, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    ExitInstance();
    return static_cast<int>(msg.wParam);
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::OnHelp()
{
    ::MessageBeep(MB_OK);
}

void CWinApp::OnFatalError(const char* what)
{
    ShowAndEnd(what);
}

void AfxReportFatalError(const char* what)
{
    if (g_app != nullptr)
        g_app->OnFatalError(what);
    else
        ShowAndEnd(what);
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app != nullptr ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
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
