#include "load/resident_agent.h"

#include "agent/agent_start.h"
#include "agent/copy_on_save.h"
#include "agent/session_end_backup.h"
#include "companions/report.h"
#include "companions/saved_selection.h"
#include "desktop/running_backup.h"
#include "desktop/shell_execute_shell.h"
#include "framework/win_app.h"
#include "load/directory_watch.h"
#include "load/save_copier.h"
#include "platform/environment.h"
#include "platform/file_tree.h"
#include "platform/local_time.h"
#include "platform/path_text.h"

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <exception>
#include <future>
#include <memory>
#include <thread>
#include <utility>

namespace
{

constexpr const char* kWindowClass = "CorvaneBackupAgent";
// Shown by Windows beside the program while the end of the session waits.
constexpr const wchar_t* kBlockReason = L"Corvane Backup is backing up your files";
// How often the end of the session looks whether a running backup has ended.
constexpr DWORD kBackupLookMillis = 1000;
// Time for the report after the copying stopped at the cap.
constexpr DWORD kReportMillis = 5000;
// Among the last programs asked to end, so that the others have saved and
// closed the files it copies.
constexpr DWORD kShutdownLevel = 0x100;

agent::Millis Now()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

ResidentAgent::ResidentAgent(const InstallDirectory& directory, HANDLE stopEvent)
    : m_directory(directory), m_stopEvent(stopEvent),
      m_schedule(directory.Root(), platform::LocalFiles())
{
    m_localAppData = platform::LocalAppData();
    m_copier = std::make_unique<SaveCopier>(m_localAppData);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ResidentAgent::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    // Top-level and never shown: a message-only window gets no session messages.
    m_window = CreateWindowExA(0, kWindowClass, "Corvane Backup", WS_OVERLAPPED, 0, 0, 0, 0,
                               nullptr, nullptr, windowClass.hInstance, this);
    SetProcessShutdownParameters(kShutdownLevel, 0);
}

ResidentAgent::~ResidentAgent()
{
    if (m_window)
        DestroyWindow(m_window);
}

void ResidentAgent::Run()
{
    Reload();
    ShellExecuteShell shell;
    companions::ShowKeptReports(m_localAppData, shell, platform::LocalFiles());
    while (!m_sessionEnded)
    {
        DWORD timeout = INFINITE;
        if (const std::optional<agent::Millis> wake = m_schedule.NextWake())
            timeout = static_cast<DWORD>(std::max<agent::Millis>(*wake - Now(), 0));
        // Alertable: the watches' completion routines run in here.
        const HANDLE waits[] = {m_stopEvent, m_copier->Done()};
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(2, waits, timeout, QS_ALLINPUT, MWMO_ALERTABLE);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            return;
        TakeChanges(Now());
        TakeCopies(Now());
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            if (message.message == WM_QUIT)
                return;
            DispatchMessageA(&message);
        }
        DoDue(Now());
    }
}

void ResidentAgent::Reload()
{
    m_duties = companions::ReadAgentDuties(m_directory, platform::LocalFiles());
    companions::SavedPlanRead read = companions::ReadSavedPlan(m_directory, platform::LocalFiles());
    m_saved = read.saved ? std::make_shared<const companions::SavedPlan>(std::move(*read.saved))
                         : nullptr;
    // Nothing is followed until the store reads again; said once.
    if (!read.unreadable.empty())
    {
        m_schedule.StoreUnreadable(Now());
        if (read.unreadable != m_unreadable)
            m_copier->Post({nullptr, {}, {}, companions::UnreadableStoreText(read.unreadable)});
    }
    m_unreadable = read.unreadable;
    m_schedule.Follow(m_duties.copyOnSave ? m_saved.get() : nullptr);
    // ShutdownBlockReasonCreate fails under Wine: the backup runs all the same.
    if (m_duties.backUpAtSessionEnd)
        ShutdownBlockReasonCreate(m_window, kBlockReason);
    else
        ShutdownBlockReasonDestroy(m_window);
    const std::vector<std::string> folders = m_schedule.FoldersToWatch();
    if (folders == m_watchedFolders)
        return;
    m_watches.clear();
    std::vector<std::string> unwatched;
    for (const std::string& folder : folders)
    {
        m_watches.push_back(std::make_unique<DirectoryRoutineWatch>(
            folder, [this, folder](std::vector<std::string> names, bool complete) {
                m_changes.push_back({folder, std::move(names), complete});
            }));
        // A folder that is not there (an unplugged drive) is a backup's news, not this one's.
        if (!m_watches.back()->Watching() && platform::LocalFiles().IsFolder(folder) &&
            m_unwatched.insert(folder).second)
            unwatched.push_back(folder);
    }
    m_watchedFolders = folders;
    if (!unwatched.empty())
        m_copier->Post({nullptr, {}, {}, agent::UnwatchedFoldersNotice(unwatched)});
}

void ResidentAgent::TakeChanges(agent::Millis now)
{
    for (const Changes& changes : std::exchange(m_changes, {}))
    {
        // Lost reports: the store may have changed; saved files wait for their next save.
        if (!changes.complete)
            m_schedule.Changed(changes.folder, now);
        for (const std::string& name : changes.names)
            m_schedule.Changed(platform::JoinPath(changes.folder, name), now);
    }
}

void ResidentAgent::DoDue(agent::Millis now)
{
    const agent::AgentSchedule::Due due = m_schedule.TakeDue(now);
    if (due.store)
        Reload();
    if (!due.files.empty() && m_saved && m_duties.copyOnSave)
        m_copier->Post({m_saved, due.files, {}, {}});
}

void ResidentAgent::TakeCopies(agent::Millis now)
{
    for (const SaveCopier::Copied& copied : m_copier->TakeCopied())
    {
        for (const std::string& file : copied.postponed)
            m_schedule.WaitForBackup(file, now);
        std::vector<std::pair<std::string, agent::SavedFileCopy>> uncopied;
        for (const auto& [file, result] : copied.files)
        {
            switch (result)
            {
            case agent::SavedFileCopy::Busy:
                if (!m_schedule.Busy(file, now))
                    uncopied.emplace_back(file, result);
                break;
            case agent::SavedFileCopy::Failed:
            case agent::SavedFileCopy::NewerCopyKept:
            case agent::SavedFileCopy::NotKept:
                uncopied.emplace_back(file, result);
                break;
            default:
                break;
            }
        }
        if (!uncopied.empty())
            m_copier->Post({copied.saved, {}, std::move(uncopied), {}});
    }
}

void ResidentAgent::BackUpAtSessionEnd()
{
    m_sessionEnded = true;
    // The store as it is now, whatever change is still waiting to settle.
    companions::SavedPlanRead read =
        companions::ReadAgentDuties(m_directory, platform::LocalFiles()).backUpAtSessionEnd
            ? companions::ReadSavedPlan(m_directory, platform::LocalFiles())
            : companions::SavedPlanRead{};
    // A store that cannot be read is no empty selection: the next log-on says so.
    if (!read.unreadable.empty())
        companions::ReportPublisher(platform::LocalFiles(), platform::LocalTimeNow(), "",
                                    m_localAppData)
            .Notice(companions::UnreadableStoreText(read.unreadable));
    auto saved = std::make_shared<std::optional<companions::SavedPlan>>(std::move(read.saved));
    if (!*saved)
    {
        // The copies already begun are finished, as the window's thread once did.
        m_copier->WaitIdle(SaveCopier::kCopiesEnd);
        return;
    }
    const agent::Millis deadline = Now() + agent::kSessionEndCap;
    // The backup copies what is still waiting; the copy under way must not
    // write the same copy at the same time.
    m_copier->Drop();
    m_copier->WaitIdle(std::chrono::milliseconds(deadline - Now()));
    // Nor while the xcopy of a "Backup Now" may write them, which the end of
    // the session ends too. Nothing signals the mutex's end: it is looked at
    // once a second, within the cap.
    while (IsBackupRunning() && Now() + kBackupLookMillis < deadline)
        Sleep(kBackupLookMillis);
    // On a thread of its own: a copy that hangs on a dead network destination
    // must not hold the session past the cap. A hung thread is left to the
    // end of the session, which ends it.
    std::packaged_task<void()> backup([saved, deadline, started = platform::LocalTimeNow(),
                                       localAppData = m_localAppData] {
        agent::BackUpAtSessionEnd(**saved,
                                  {platform::LocalFiles(), Now, deadline, started, localAppData});
    });
    std::future<void> done = backup.get_future();
    std::thread(std::move(backup)).detach();
    done.wait_for(std::chrono::milliseconds(deadline + kReportMillis - Now()));
}

LRESULT CALLBACK ResidentAgent::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* agent = reinterpret_cast<ResidentAgent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    // Refusing would cancel what the user asked: the work is done at WM_ENDSESSION,
    // which Windows carries through.
    if (message == WM_QUERYENDSESSION)
        return TRUE;
    if (message == WM_ENDSESSION && wParam && agent)
    {
        try
        {
            agent->BackUpAtSessionEnd();
        }
        catch (const std::exception& error)
        {
            AfxReportFatalError(error.what());
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
