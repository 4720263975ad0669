#pragma once

#include "framework/fatal_error.h"
#include "framework/wnd.h"

// The help command of the framework's standard command ids.
constexpr UINT ID_HELP = 0xE146;

// The application: exactly one object of a class derived from this, constructed
// as a global. The framework's WinMain calls its InitInstance once, which does
// the program's whole work (each program runs its dialogs there), then
// ExitInstance, whose result is the exit code.
class CWinApp : public CCmdTarget
{
  public:
    // lpszAppName may be null: the application then has no name of its own.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    // There are no OLE controls and the 3-D look is the system's own: kept so the
    // start-up reads as usual, both do nothing.
    BOOL Enable3dControls() { return TRUE; }

    // The help command. The program ships no help file, so it answers with the
    // system's default beep, as Windows does for an unavailable command.
    void OnHelp();

    // An error escaped a message handler: shows it and ends the program at
    // once, so that nothing half-done is saved over what the user has.
    virtual void OnFatalError(const char* what);

    LPCSTR m_pszAppName;
    HINSTANCE m_hInstance;
    // The window that owns dialogs opened without a parent.
    CWnd* m_pMainWnd = nullptr;
};

// See CWinApp::Enable3dControls.
inline void AfxEnableControlContainer()
{
}

// The application object, or null before it is constructed.
CWinApp* AfxGetApp();
// The module that holds the program's resources.
HINSTANCE AfxGetInstanceHandle();
