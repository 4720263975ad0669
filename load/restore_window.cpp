#include "load/restore_window.h"

#include "companions/load_role.h"
#include "desktop/running_backup.h"
#include "desktop/unelevated_start.h"
#include "framework/win_app.h"
#include "load/restore_dialog.h"
#include "load/user_copy_hand_over.h"
#include "platform/environment.h"
#include "platform/win32/handle.h"

namespace
{

// Held by the window's process while it runs: the elevated start that
// handed over sees it.
constexpr const char* kRestoreWindowMutex = "Local\\CorvaneBackup.RestoreWindow";

} // namespace

const char kAdministratorsNotice[] =
    "This window runs as administrator: the files it restores will belong to the "
    "administrators.";

int RunRestoreWindow(const std::string& arguments)
{
    // The window writes to the user's files, so it runs with the user's
    // rights: an elevated start hands over, and stays only where the user's
    // copy does not come.
    const bool elevated = MustHandOver(arguments);
    if (elevated && HandOverToUserCopy(arguments, std::string(companions::kRestoreArgument),
                                       kRestoreWindowMutex)
                        .copyRuns)
        return 0;
    const platform::Handle running(CreateMutexA(nullptr, FALSE, kRestoreWindowMutex));
    RestoreWindowContext context{platform::LocalFiles(), InstallDirectory(),
                                 platform::LocalAppData(), IsBackupRunning,
                                 elevated ? kAdministratorsNotice : ""};
    CRestoreDialog dialog(std::move(context));
    CWinApp* app = AfxGetApp();
    app->m_pMainWnd = &dialog;
    dialog.DoModal();
    app->m_pMainWnd = nullptr;
    return 0;
}
