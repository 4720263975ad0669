#include "framework/win_app.h"

namespace
{

CWinApp* g_app = nullptr;

void HandToTheApplication(const char* what)
{
    g_app->OnFatalError(what);
}

} // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(lpszAppName), m_hInstance(::GetModuleHandleA(nullptr))
{
    g_app = this;
    SetFatalErrorHandler(&HandToTheApplication);
}

CWinApp::~CWinApp()
{
    if (g_app == this)
    {
        SetFatalErrorHandler(nullptr);
        g_app = nullptr;
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
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
    ShowFatalErrorAndEnd(what);
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app != nullptr ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}
