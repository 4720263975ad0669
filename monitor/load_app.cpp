// Load.exe: one program for the companion's jobs, the one to do chosen once,
// at the start.
#include "flows/backup_run.h"
#include "flows/load_role.h"
#include "framework/win_app.h"
#include "monitor/backup_watch.h"
#include "monitor/monitor_dialog.h"

#include <exception>
#include <thread>

namespace
{

bool StartedShown()
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) == 0 || startup.wShowWindow != SW_HIDE;
}

std::tm LocalTimeNow()
{
    const std::time_t now = std::time(nullptr);
    return *std::localtime(&now);
}

class CLoadApp : public CWinApp
{
  public:
    CLoadApp() : CWinApp(nullptr) {}

    BOOL InitInstance() override
    {
        if (flows::ChooseLoadRole(StartedShown()) == flows::LoadRole::Monitor)
            Monitor();
        return FALSE;
    }

  private:
    // Follows the backup "Backup Now" has just started. The window may be
    // closed at any time; the process ends only once the report is written.
    void Monitor()
    {
        // First of all: from here on, "Backup Now" refuses to start another run.
        HANDLE running = CreateMutexA(nullptr, FALSE, flows::kBackupRunningMutex);
        BackupWatch watch(InstallDirectory(), OpenWatchedProcesses(), running, LocalTimeNow());
        std::thread follow([&watch] {
            // An error that ends the thread would end the program unseen.
            try
            {
                watch.Run();
            }
            catch (const std::exception& error)
            {
                AfxReportFatalError(error.what());
            }
        });
        CMonitorDialog dialog(watch);
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
        follow.join();
    }
};

CLoadApp theApp;

} // namespace
