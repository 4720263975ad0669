#include "load/restore_window.h"

#include "companions/saved_plan.h"
#include "desktop/running_backup.h"
#include "desktop/unelevated_start.h"
#include "framework/win_app.h"
#include "load/restore_dialog.h"
#include "platform/environment.h"
#include "platform/win32/handle.h"

namespace
{

// Held by the window's process while it runs: the elevated start that
// handed over sees it.
constexpr const char* kRestoreWindowMutex = "Local\\CorvaneBackup.RestoreWindow";

// The window writes to the user's files, so it runs with the user's rights:
// an elevated start hands over to a copy the desktop's shell starts, and
// stays only where that copy does not come.
bool HandedOver(const std::string& arguments)
{
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        if (HandOverToUser(arguments, "/restore") != HandOver::HandedOver)
            return false;
        if (MutexAppearsWithin(kRestoreWindowMutex, 10000))
            return true;
    }
    return false;
}

} // namespace

const char kAdministratorsNotice[] =
    "This window runs as administrator: the files it restores will belong to the "
    "administrators.";

int RunRestoreWindow(const std::string& arguments)
{
    const bool elevated = MustHandOver(arguments);
    if (elevated && HandedOver(arguments))
        return 0;
    const platform::Handle running(CreateMutexA(nullptr, FALSE, kRestoreWindowMutex));
    RestoreWindowContext context{
        platform::LocalFiles(),
        companions::ReadSavedPlan(InstallDirectory(), platform::LocalFiles()),
        platform::LocalAppData(), WaitWhileBackupRuns, elevated ? kAdministratorsNotice : ""};
    CRestoreDialog dialog(std::move(context));
    CWinApp* app = AfxGetApp();
    app->m_pMainWnd = &dialog;
    dialog.DoModal();
    app->m_pMainWnd = nullptr;
    return 0;
}
