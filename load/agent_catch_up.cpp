#include "load/agent_catch_up.h"

#include "agent/catch_up_gate.h"
#include "agent/destination_look.h"
#include "agent/last_complete_backup.h"
#include "desktop/agent_run_lock.h"
#include "desktop/network_cost.h"
#include "desktop/running_backup.h"
#include "load/agent_worker.h"
#include "load/whole_tree_backup.h"
#include "platform/computer.h"
#include "platform/drive_roots.h"
#include "platform/file_tree.h"
#include "platform/local_time.h"
#include "platform/win32/handle.h"

#include <atomic>
#include <chrono>
#include <limits>
#include <thread>

namespace
{

constexpr std::chrono::milliseconds kLookLimit{agent::kLookLimit};

agent::PowerSource PowerNow()
{
    SYSTEM_POWER_STATUS status{};
    // 255, unknown, is a desktop's answer on some systems: mains.
    return GetSystemPowerStatus(&status) && status.ACLineStatus == 0 ? agent::PowerSource::Battery
                                                                     : agent::PowerSource::Mains;
}

bool IsShare(const std::string& destination)
{
    if (destination.rfind("\\\\", 0) == 0)
        return true;
    const std::string root = destination.substr(0, 3);
    return root.size() == 3 && root[1] == ':' && GetDriveTypeA(root.c_str()) == DRIVE_REMOTE;
}

} // namespace

// What the window's thread and the run's share; the run's thread holds it
// too, and may outlive the agent's end by a file's copy.
struct AgentCatchUp::Run
{
    platform::Handle stop{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    platform::Handle changed{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    platform::Handle finished{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> conditionsChanged{true};
    // Read and written by the run's thread only.
    agent::CatchUpConditions conditions;
    bool share = false;
    // Written by the run's thread before it tells the window it ended.
    std::optional<agent::RunResult> result;
    agent::CatchUpGate gate{[this] { return Read(); },
                            [this](agent::Millis millis) {
                                const HANDLE waits[] = {stop.Get(), changed.Get()};
                                WaitForMultipleObjects(2, waits, FALSE, static_cast<DWORD>(millis));
                            }};

    agent::CatchUpConditions Read()
    {
        // Power and network are read again only when Windows said they
        // changed; the mutex is looked for before each file.
        if (conditionsChanged.exchange(false))
        {
            conditions.power = PowerNow();
            conditions.meteredShare = share && IsNetworkMetered();
        }
        conditions.backupRunning = IsBackupRunning();
        return conditions;
    }

    void Changed()
    {
        conditionsChanged = true;
        SetEvent(changed.Get());
    }

    void Stop()
    {
        gate.Stop();
        SetEvent(stop.Get());
    }
};

AgentCatchUp::AgentCatchUp(HWND window, AgentWorker& worker, const InstallDirectory& directory,
                           std::string localAppData)
    : m_window(window), m_worker(worker), m_directory(directory),
      m_localAppData(std::move(localAppData)),
      // The time kept is read on the worker at the first tick.
      m_schedule(0)
{
}

AgentCatchUp::~AgentCatchUp()
{
    if (!m_run)
        return;
    m_run->Stop();
    WaitForSingleObject(m_run->finished.Get(),
                        static_cast<DWORD>(AgentWorker::kJobsEnd.count() * 1000));
}

void AgentCatchUp::Follow(bool enabled, std::string destination, agent::Millis now)
{
    m_destination = std::move(destination);
    m_schedule.Follow(enabled && !m_destination.empty(), now);
}

void AgentCatchUp::Tick(agent::Millis now, bool mayLook)
{
    if (m_schedule.TakeTick(now))
        Ask(mayLook);
}

void AgentCatchUp::Resumed(bool mayLook)
{
    ConditionsChanged();
    Ask(mayLook);
}

void AgentCatchUp::ConditionsChanged()
{
    if (m_run)
        m_run->Changed();
}

void AgentCatchUp::Ask(bool mayLook)
{
    if (!mayLook || !m_schedule.Due(agent::UtcNow(), PowerNow()))
        return;
    m_schedule.Looking();
    m_worker.Post([this, destination = m_destination,
                   localAppData = m_localAppData](LookWatchdog& watchdog) -> AgentWorker::Reply {
        platform::FileTree& files = platform::LocalFiles();
        const agent::UtcSeconds now = agent::UtcNow();
        const agent::UtcSeconds last = agent::ReadLastCompleteBackup(localAppData, now, files);
        bool there = false;
        // Not due after all (a "Backup Now" since): the destination is not asked.
        if (now - last > agent::CatchUpSchedule::kDay)
        {
            const agent::LookContext context{platform::ThisComputer(), platform::LocalDriveRoots(),
                                             localAppData};
            watchdog.Within(kLookLimit, [&] {
                there = agent::LookAtDestination(destination, context, files).state ==
                        agent::DestinationState::There;
            });
        }
        return [this, last, there] {
            const agent::UtcSeconds wall = agent::UtcNow();
            if (m_schedule.Looked(last, there && !m_sessionEnded, wall, PowerNow()))
            {
                m_runStarted = wall;
                Start();
            }
        };
    });
}

void AgentCatchUp::Start()
{
    m_run = std::make_shared<Run>();
    std::thread([run = m_run, directory = m_directory, localAppData = m_localAppData,
                 destination = m_destination, started = m_runStarted, window = m_window] {
        // A mapped letter's kind is asked here, never on the window's thread.
        run->share = IsShare(destination);
        // Low processor and disk priority: the user's own work goes first.
        SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_BEGIN);
        WholeTreeOutcome outcome;
        {
            // Another session's run on the destination is waited for.
            const AgentRunLock lock(INFINITE, run->stop.Get());
            if (lock.Held())
                outcome = BackUpWholeTree(directory, localAppData, false,
                                          {std::numeric_limits<agent::Millis>::max(),
                                           platform::LocalTimeNow(), started,
                                           [&run] { return run->gate.GoOn(); }, " catch-up"});
        }
        SetThreadPriority(GetCurrentThread(), THREAD_MODE_BACKGROUND_END);
        run->result = std::move(outcome.result);
        SetEvent(run->finished.Get());
        PostMessageA(window, kRunEnded, outcome.complete ? 1 : 0, 0);
    }).detach();
}

std::optional<agent::RunResult> AgentCatchUp::RunEnded(bool complete)
{
    std::optional<agent::RunResult> result;
    if (m_run)
        result = std::move(m_run->result);
    m_run.reset();
    m_schedule.Ended(complete, m_runStarted);
    return result;
}

void AgentCatchUp::EndSession()
{
    m_sessionEnded = true;
    if (m_run)
        m_run->Stop();
}
