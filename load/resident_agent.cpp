#include "load/resident_agent.h"

#include "agent/agent_start.h"
#include "agent/copy_on_save.h"
#include "companions/report.h"
#include "companions/saved_selection.h"
#include "desktop/running_backup.h"
#include "desktop/shell_execute_shell.h"
#include "framework/win_app.h"
#include "load/agent_catch_up.h"
#include "load/agent_icon.h"
#include "load/agent_watches.h"
#include "load/agent_worker.h"
#include "load/session_end_run.h"
#include "platform/environment.h"
#include "platform/file_tree.h"
#include "platform/local_time.h"
#include "platform/path_text.h"

#include <chrono>
#include <dbt.h>
#include <exception>
#include <iphlpapi.h>
#include <memory>
#include <optional>
#include <utility>

namespace
{

constexpr const char* kWindowClass = "CorvaneBackupAgent";
// Shown by Windows beside the program while the end of the session waits.
constexpr const wchar_t* kBlockReason = L"Corvane Backup is backing up your files";
// Among the last programs asked to end, so that the others have saved and
// closed the files it copies.
constexpr DWORD kShutdownLevel = 0x100;
constexpr std::chrono::milliseconds kLookLimit{agent::kLookLimit};

} // namespace

ResidentAgent::ResidentAgent(const InstallDirectory& directory, HANDLE stopEvent)
    : m_directory(directory), m_stopEvent(stopEvent),
      m_schedule(directory.Root(), platform::LocalFiles())
{
    m_localAppData = platform::LocalAppData();
    m_rounds = std::make_shared<SaveRounds>(directory, m_localAppData);
    m_worker = std::make_unique<AgentWorker>();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &ResidentAgent::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass);
    // Top-level and never shown: a message-only window gets no session or
    // device messages.
    m_window = CreateWindowExA(0, kWindowClass, "Corvane Backup", WS_OVERLAPPED, 0, 0, 0, 0,
                               nullptr, nullptr, windowClass.hInstance, this);
    m_handles = std::make_unique<AgentWatches>(m_window, [this](const std::string& folder,
                                                                std::vector<FolderChange> changes,
                                                                bool complete, bool watching) {
        m_changes.push_back({folder, std::move(changes), complete, watching});
    });
    m_catchUp = std::make_unique<AgentCatchUp>(m_window, *m_worker, directory, m_localAppData);
    m_icon = std::make_unique<AgentIcon>(m_window, *m_worker, m_rounds, m_localAppData, m_shell);
    SetProcessShutdownParameters(kShutdownLevel, 0);
    m_networkChanged = platform::Handle(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    WatchNetwork();
}

ResidentAgent::~ResidentAgent()
{
    if (m_networkChanged.IsOpen())
        CancelIPChangeNotify(&m_networkWatch);
    m_handles.reset();
    m_icon.reset();
    if (m_window)
        DestroyWindow(m_window);
}

void ResidentAgent::WatchNetwork()
{
    HANDLE unused = nullptr;
    m_networkWatch = OVERLAPPED{};
    m_networkWatch.hEvent = m_networkChanged.Get();
    if (NotifyAddrChange(&unused, &m_networkWatch) != ERROR_IO_PENDING)
        m_networkChanged.Close();
}

void ResidentAgent::Run()
{
    Reload();
    companions::ShowKeptReports(m_localAppData, m_shell, platform::LocalFiles());
    while (!m_sessionEnded)
    {
        std::optional<agent::Millis> wake = m_schedule.NextWake();
        for (const std::optional<agent::Millis> other :
             {m_watches.NextWake(), m_destination.NextWake(), m_catchUp->NextWake(),
              m_icon->NextWake()})
        {
            if (other && (!wake || *other < *wake))
                wake = other;
        }
        DWORD timeout = INFINITE;
        if (wake)
            timeout = static_cast<DWORD>(std::max<agent::Millis>(*wake - agent::SteadyNow(), 0));
        // Alertable: the watches' completion routines run in here.
        const HANDLE waits[] = {m_stopEvent, m_worker->Done(), m_networkChanged.Get()};
        const DWORD count = m_networkChanged.IsOpen() ? 3 : 2;
        const DWORD woken =
            MsgWaitForMultipleObjectsEx(count, waits, timeout, QS_ALLINPUT, MWMO_ALERTABLE);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED)
            return;
        if (woken == WAIT_OBJECT_0 + 2)
        {
            m_destination.NetworkChanged();
            m_catchUp->ConditionsChanged();
            WatchNetwork();
        }
        TakeChanges(agent::SteadyNow());
        m_worker->RunReplies();
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        {
            if (message.message == WM_QUIT)
                return;
            DispatchMessageA(&message);
        }
        DoDue(agent::SteadyNow());
        m_icon->Destination(m_saved ? m_saved->selection.destination : std::string(),
                            m_destination.Last(),
                            m_duties.copyOnSave ? m_destination.Waiting() : 0);
        m_icon->Show();
    }
}

void ResidentAgent::Reload()
{
    m_worker->Post(
        [this, directory = m_directory, rounds = m_rounds](LookWatchdog&) -> AgentWorker::Reply {
            const companions::AgentDuties duties =
                companions::ReadAgentDuties(directory, platform::LocalFiles());
            companions::SavedPlanRead read =
                companions::ReadSavedPlan(directory, platform::LocalFiles());
            std::shared_ptr<const companions::SavedPlan> plan =
                read.saved ? std::make_shared<const companions::SavedPlan>(std::move(*read.saved))
                           : nullptr;
            const std::size_t waiting = rounds->Waiting();
            return [this, duties, plan, waiting, unreadable = std::move(read.unreadable)] {
                Follow(duties, plan, waiting, unreadable);
            };
        });
}

void ResidentAgent::Follow(companions::AgentDuties duties,
                           std::shared_ptr<const companions::SavedPlan> saved, std::size_t waiting,
                           const std::string& unreadable)
{
    const agent::Millis now = agent::SteadyNow();
    m_duties = duties;
    m_saved = std::move(saved);
    // Nothing is followed until the store reads again; said once.
    if (!unreadable.empty())
    {
        m_schedule.StoreUnreadable(now);
        if (unreadable != m_unreadable)
            Notify(companions::UnreadableStoreText(unreadable));
    }
    m_unreadable = unreadable;
    m_schedule.Follow(m_duties.copyOnSave ? m_saved.get() : nullptr);
    m_icon->AutoBackup(m_duties.backUpAtSessionEnd);
    // ShutdownBlockReasonCreate fails under Wine: the backup runs all the same.
    if (m_duties.backUpAtSessionEnd)
        ShutdownBlockReasonCreate(m_window, kBlockReason);
    else
        ShutdownBlockReasonDestroy(m_window);
    m_destination.Follow(m_saved ? m_saved->selection.destination : std::string());
    m_catchUp->Follow(m_duties.backUpAtSessionEnd,
                      m_saved ? m_saved->selection.destination : std::string(), now);
    m_destination.SavesWait(m_duties.copyOnSave && m_saved ? waiting : 0, now);
    for (const std::string& folder : m_watches.Want(m_schedule.FoldersToWatch(), now))
        m_handles->Close(folder);
}

void ResidentAgent::TakeChanges(agent::Millis now)
{
    for (const Changes& changes : std::exchange(m_changes, {}))
    {
        // Lost reports: the store may have changed, and saves were missed.
        if (!changes.complete)
        {
            m_schedule.Changed(changes.folder, now);
            m_watches.Overflowed(changes.folder);
        }
        for (const FolderChange& change : changes.changes)
        {
            const std::string path = platform::JoinPath(changes.folder, change.name);
            if (change.appeared)
                m_schedule.Appeared(path, now);
            else
                m_schedule.Changed(path, now);
        }
        if (!changes.watching)
        {
            m_handles->Close(changes.folder);
            m_watches.Lost(changes.folder, now);
        }
    }
}

void ResidentAgent::DoDue(agent::Millis now)
{
    const agent::AgentSchedule::Due due = m_schedule.TakeDue(now);
    if (due.store)
        Reload();
    m_catchUp->Tick(now, m_destination.MayLook());
    const agent::FolderWatches::Due watches = m_watches.TakeDue(now);
    for (const agent::WatchedFolder& watched : watches.open)
        Open(watched);
    if (!m_saved || !m_duties.copyOnSave)
    {
        for (const agent::WatchedFolder& walk : watches.walk)
            m_watches.Walked(walk.folder, true);
        return;
    }
    if (!due.files.empty() || !watches.walk.empty() || m_destination.LookDue(now))
        PostRound({due.files, watches.walk});
}

void ResidentAgent::Open(const agent::WatchedFolder& watched)
{
    m_worker->Post([this, watched](LookWatchdog& watchdog) -> AgentWorker::Reply {
        auto opened = std::make_shared<platform::Handle>();
        bool there = false;
        watchdog.Within(kLookLimit, [&] {
            *opened = OpenFolderToWatch(watched.folder);
            there = opened->IsOpen() || platform::LocalFiles().IsFolder(watched.folder);
        });
        return [this, watched, opened, there] {
            if (opened->IsOpen() && m_handles->Start(watched, std::move(*opened)))
            {
                if (!m_watches.Opened(watched.folder))
                    m_handles->Close(watched.folder);
                return;
            }
            m_watches.Lost(watched.folder, agent::SteadyNow());
            // A folder that is not there (an unplugged drive) is a backup's
            // news, not this one's.
            if (there && m_unwatched.insert(watched.folder).second)
                Notify(agent::UnwatchedFoldersNotice({watched.folder}));
        };
    });
}

void ResidentAgent::PostRound(agent::SaveRound round)
{
    const bool look = m_destination.MayLook();
    if (look)
        m_destination.LookStarted();
    m_worker->Post([this, rounds = m_rounds, saved = m_saved, round = std::move(round), look,
                    last = m_destination.Last()](LookWatchdog& watchdog) -> AgentWorker::Reply {
        const SaveRoundResult result = rounds->Run(saved, round, look, last, watchdog);
        return [this, result] { RoundDone(result); };
    });
}

void ResidentAgent::RoundDone(const SaveRoundResult& result)
{
    const agent::Millis now = agent::SteadyNow();
    if (result.looked)
    {
        const bool back = result.look.state == agent::DestinationState::There &&
                          m_destination.Last().state != agent::DestinationState::There;
        m_destination.Looked(result.look, result.waiting, now);
        if (back)
            m_watches.DestinationBack();
        if (std::optional<std::string> moved = m_destination.TakeMoved())
            m_icon->DiskMoved(*moved);
    }
    else
        m_destination.SavesWait(result.waiting, now);
    for (const agent::WatchedFolder& walk : result.round.walks)
        m_watches.Walked(walk.folder, result.outcome.walked);
    for (const std::string& file : result.postponed)
        m_schedule.WaitForBackup(file, now);
    std::vector<std::pair<std::string, agent::SavedFileCopy>> uncopied;
    for (const auto& [file, copy] : result.outcome.copies)
    {
        switch (copy)
        {
        case agent::SavedFileCopy::Busy:
            if (!m_schedule.Busy(file, now))
                uncopied.emplace_back(file, copy);
            break;
        case agent::SavedFileCopy::Failed:
        case agent::SavedFileCopy::NewerCopyKept:
        case agent::SavedFileCopy::NotKept:
            uncopied.emplace_back(file, copy);
            break;
        default:
            break;
        }
    }
    // Once told, the day's failed copies are judged again after every round.
    if (!uncopied.empty() || m_icon->CopiesFailed())
        m_worker->Post([this, rounds = m_rounds, plan = result.plan,
                        uncopied](LookWatchdog&) -> AgentWorker::Reply {
            const agent::RunResult day = rounds->Report(*plan, uncopied);
            return [this, day] { m_icon->RunEnded(day); };
        });
}

void ResidentAgent::Notify(std::string notice)
{
    m_worker->Post([notice = std::move(notice),
                    localAppData = m_localAppData](LookWatchdog&) -> AgentWorker::Reply {
        companions::ReportPublisher(platform::LocalFiles(), platform::LocalTimeNow(), "",
                                    localAppData)
            .Notice(notice + "\n");
        return nullptr;
    });
}

void ResidentAgent::OnDeviceChange(WPARAM event, LPARAM data)
{
    const AgentWatches::DeviceNews news = m_handles->OnDeviceChange(event, data);
    const agent::Millis now = agent::SteadyNow();
    switch (news.kind)
    {
    case AgentWatches::DeviceNews::Kind::Arrived:
        m_watches.DeviceArrived(now);
        m_destination.DeviceArrived(now);
        break;
    case AgentWatches::DeviceNews::Kind::QueryRemove:
        m_watches.ClosedForRemoval(news.folder);
        break;
    case AgentWatches::DeviceNews::Kind::RemoveFailed:
        m_watches.RemovalFailed(news.folder, now);
        break;
    case AgentWatches::DeviceNews::Kind::RemoveComplete:
        m_watches.Lost(news.folder, now);
        break;
    case AgentWatches::DeviceNews::Kind::None:
        break;
    }
}

void ResidentAgent::BackUpAtSessionEnd()
{
    m_sessionEnded = true;
    m_catchUp->EndSession();
    EndSessionWithBackup(*m_worker, m_directory, m_localAppData, !m_destination.MayLook());
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
    try
    {
        if (agent && agent->m_icon && agent->m_icon->OnMessage(message, lParam))
            return 0;
        if (message == WM_ENDSESSION && wParam && agent)
        {
            agent->BackUpAtSessionEnd();
            return 0;
        }
        if (message == WM_POWERBROADCAST && agent && agent->m_catchUp)
        {
            if (wParam == PBT_APMRESUMEAUTOMATIC)
                agent->m_catchUp->Resumed(agent->m_destination.MayLook());
            else if (wParam == PBT_APMPOWERSTATUSCHANGE)
                agent->m_catchUp->ConditionsChanged();
            return TRUE;
        }
        if (message == AgentCatchUp::kRunEnded && agent && agent->m_catchUp)
        {
            const bool complete = wParam != 0;
            if (const std::optional<agent::RunResult> result = agent->m_catchUp->RunEnded(complete))
                agent->m_icon->RunEnded(*result);
            if (complete)
                agent->m_icon->LastCompleteBackup(agent->m_catchUp->RunStarted());
            return 0;
        }
        // Answered at once: the looks and opens it leads to run on the worker.
        if (message == WM_DEVICECHANGE && agent && agent->m_handles)
        {
            agent->OnDeviceChange(wParam, lParam);
            return TRUE;
        }
    }
    catch (const std::exception& error)
    {
        AfxReportFatalError(error.what());
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
