// Load.exe: one program for the companion's jobs, the one to do chosen once,
// at the start.
#include "agent/agent_start.h"
#include "agent/catalog.h"
#include "companions/load_role.h"
#include "companions/report.h"
#include "companions/saved_selection.h"
#include "desktop/running_backup.h"
#include "desktop/unelevated_start.h"
#include "framework/win_app.h"
#include "load/backup_watch.h"
#include "load/companion_stop.h"
#include "load/monitor_dialog.h"
#include "load/resident_agent.h"
#include "load/restore_window.h"
#include "load/user_copy_hand_over.h"
#include "model/backup_running.h"
#include "platform/environment.h"
#include "platform/local_time.h"
#include "platform/path_code.h"
#include "platform/win32/wide_text.h"
#include "restore/quiet_restore.h"
#include "store/store_file.h"

#include <exception>
#include <optional>
#include <string>
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

// One resident per session: the elevated and the unelevated processes of a
// session share this name.
constexpr const char* kResidentMutex = "Local\\CorvaneBackup.Agent";

// The arguments after the program's name, which may be quoted, as path text:
// a quiet restore's PATH may hold any character.
std::string Arguments()
{
    const std::string line = platform::PathFromWide(GetCommandLineW());
    const bool quoted = !line.empty() && line.front() == '"';
    const size_t end = quoted ? line.find('"', 1) : line.find(' ');
    return end == std::string::npos ? std::string() : line.substr(end + 1);
}

// A console shows the line's every character; a file or a pipe gets UTF-8.
void WriteErrorLine(const std::string& text)
{
    const HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error == nullptr || error == INVALID_HANDLE_VALUE)
        return;
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(error, &mode))
    {
        const std::wstring line = platform::WideFromPath(text + "\r\n");
        WriteConsoleW(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    const std::string line = text + "\r\n";
    WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

constexpr const char* kQuietRestoreUsage = "Usage: Load.exe /restore /quiet PATH [/to FOLDER]";

class CLoadApp : public CWinApp
{
  public:
    CLoadApp() : CWinApp(nullptr) {}

    BOOL InitInstance() override
    {
        // Before any thread: from here on every path is UTF-8, every call wide.
        platform::SetProcessPathCode(platform::PathCode::Utf8);
        // No "insert a disk" box when a look at the drives finds an empty
        // card reader: the companions look at every disk for a backup that
        // moved.
        SetErrorMode(SEM_FAILCRITICALERRORS);
        const InstallDirectory directory;
        const std::string arguments = Arguments();
        const bool catalogRequested =
            store::TestRead(directory.PathOf(kCatalogMarker), platform::LocalFiles());
        switch (companions::ChooseLoadRole(arguments, StartedShown(), catalogRequested))
        {
        case companions::LoadRole::Monitor:
            Monitor();
            break;
        case companions::LoadRole::Catalog:
            Catalog(directory);
            break;
        case companions::LoadRole::Resident:
            Resident(directory, arguments);
            break;
        case companions::LoadRole::Stop:
            StopCompanions(directory.Root().c_str());
            break;
        case companions::LoadRole::QuietRestore:
            m_status = QuietRestore(directory, arguments);
            break;
        case companions::LoadRole::RestoreWindow:
            m_status = RunRestoreWindow(arguments);
            break;
        }
        return FALSE;
    }

    int ExitInstance() override { return m_status; }

  private:
    // For scripts, which read the exit status: the restore runs here, with
    // the rights this start has, and says on the caller's console that it
    // waits for a running backup, and its outcome.
    static int QuietRestore(const InstallDirectory& directory, const std::string& arguments)
    {
        AttachConsole(ATTACH_PARENT_PROCESS);
        const std::optional<restore::QuietRestoreArguments> parsed =
            restore::ParseQuietRestore(arguments);
        restore::RestoreCallbacks callbacks;
        callbacks.backupRuns = IsBackupRunning;
        callbacks.pause = PauseBeforeLookingAgain;
        callbacks.waiting = [] { WriteErrorLine(restore::kWaitingForBackupText); };
        const restore::QuietRestoreOutcome outcome =
            parsed ? restore::RunQuietRestore(directory, *parsed,
                                              {platform::LocalFiles(), platform::LocalTimeNow(),
                                               platform::LocalAppData(), callbacks})
                   : restore::QuietRestoreOutcome{2, kQuietRestoreUsage};
        WriteErrorLine(outcome.line);
        return outcome.status;
    }

    // The catalog flow's start: the list is the one the same click saves, so
    // the work begins once the dialog has ended, and only if the dialog did
    // not withdraw its request meanwhile.
    static void Catalog(const InstallDirectory& directory)
    {
        const BackupProcessHandles processes = OpenBackupProcesses();
        if (processes.dialog.IsOpen())
            WaitForSingleObject(processes.dialog.Get(), INFINITE);
        std::string unreadable;
        if (agent::RunCatalog(directory, platform::LocalFiles(), unreadable) ==
            agent::CatalogOutcome::StoreUnreadable)
            companions::ReportPublisher(platform::LocalFiles(), platform::LocalTimeNow(), "",
                                        platform::LocalAppData())
                .Notice(companions::UnreadableStoreText(unreadable));
    }

    static void Resident(const InstallDirectory& directory, const std::string& arguments)
    {
        // The agent runs with the user's own rights: an elevated start (the
        // installer's) hands over to a copy that the desktop's shell starts,
        // or leaves the agent to the next log-on and says so. A relayed copy
        // runs as it is, even where the shell itself runs elevated.
        if (MustHandOver(arguments))
        {
            const companions::HandOverOutcome outcome = HandOverToUserCopy(
                arguments, std::string(companions::kLogOnArgument), kResidentMutex);
            if (!outcome.copyRuns)
                companions::ReportPublisher(platform::LocalFiles(), platform::LocalTimeNow(), "",
                                            platform::LocalAppData())
                    .Notice(agent::AgentStartNotice(outcome.reason));
            return;
        }
        const platform::Handle resident(CreateMutexA(nullptr, FALSE, kResidentMutex));
        // Access denied: an instance with other rights holds it.
        if (!resident.IsOpen() || GetLastError() == ERROR_ALREADY_EXISTS)
            return;
        // Set while the installer replaces the programs: this start is an old
        // one. Without it, the agent still runs, unstoppable but by log-off.
        platform::Handle stop(OpenStopEvent());
        if (!stop.IsOpen())
            stop = platform::Handle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        if (WaitForSingleObject(stop.Get(), 0) == WAIT_TIMEOUT)
            ResidentAgent(directory, stop.Get()).Run();
    }

    // Follows the backup "Backup Now" has just started. The window may be
    // closed at any time; the process ends only once the report is written.
    void Monitor()
    {
        // First of all: from here on, "Backup Now" refuses to start another run.
        platform::Handle running(CreateMutexA(nullptr, FALSE, kBackupRunningMutex));
        BackupWatch watch(InstallDirectory(), OpenBackupProcesses(), std::move(running),
                          platform::LocalTimeNow());
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

    int m_status = 0;
};

CLoadApp theApp;

} // namespace
