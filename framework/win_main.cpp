#include "framework/win_app.h"

// The program's entry point: runs the one application object.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    CWinApp* app = AfxGetApp();
    if (app == nullptr)
        return 1;
    app->m_hInstance = hInstance;
    app->InitInstance();
    return app->ExitInstance();
}
