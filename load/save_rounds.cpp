#include "load/save_rounds.h"

#include "companions/backup_folder.h"
#include "desktop/running_backup.h"
#include "platform/drive_roots.h"
#include "platform/file_tree.h"
#include "platform/local_time.h"

#include <chrono>

SaveRounds::SaveRounds(const InstallDirectory& directory, const std::string& localAppData)
    : m_directory(directory), m_localAppData(localAppData), m_uncopied(localAppData)
{
}

agent::WaitingSaves& SaveRounds::Saves()
{
    // Read from the profile on the worker's first need.
    if (!m_waiting)
        m_waiting.emplace(m_localAppData, platform::LocalFiles());
    return *m_waiting;
}

std::size_t SaveRounds::Waiting()
{
    return Saves().Files().size();
}

std::shared_ptr<const companions::SavedPlan> SaveRounds::PlanAt(
    const std::shared_ptr<const companions::SavedPlan>& saved, const std::string& place)
{
    if (place.empty() || place == saved->selection.destination)
        return saved;
    if (m_movedFrom != saved || m_moved->selection.destination != place)
    {
        m_movedFrom = saved;
        m_moved = std::make_shared<const companions::SavedPlan>(
            companions::MovedTo(saved->selection, place, m_directory, platform::LocalFiles()));
    }
    return m_moved;
}

SaveRoundResult SaveRounds::Run(const std::shared_ptr<const companions::SavedPlan>& saved,
                                const agent::SaveRound& round, bool look,
                                const agent::DestinationLook& last, LookWatchdog& watchdog)
{
    platform::FileTree& files = platform::LocalFiles();
    SaveRoundResult result{round, look, last, nullptr, {}, 0, {}};
    if (look && !watchdog.Within(std::chrono::milliseconds(agent::kLookLimit), [&] {
            if (m_computer.id.empty())
                m_computer = platform::ThisComputer();
            result.look = agent::LookAtDestination(
                saved->selection.destination,
                {m_computer, platform::LocalDriveRoots(), m_localAppData}, files);
        }))
        result.look = {};
    result.plan = PlanAt(saved, result.look.place);
    if (result.look.state == agent::DestinationState::There && IsBackupRunning())
    {
        result.postponed = round.files;
        for (const agent::WatchedFolder& walk : round.walks)
        {
            const std::vector<std::string> behind = agent::FilesBehind(*result.plan, walk, files);
            result.postponed.insert(result.postponed.end(), behind.begin(), behind.end());
        }
        result.outcome.walked = true;
    }
    else
        result.outcome =
            agent::RunSaveRound(*result.plan, result.look.state, round, Saves(), files);
    result.waiting = Waiting();
    return result;
}

void SaveRounds::Report(const companions::SavedPlan& plan,
                        const std::vector<std::pair<std::string, agent::SavedFileCopy>>& uncopied)
{
    m_uncopied.Add(plan, uncopied, platform::LocalFiles(), platform::LocalTimeNow());
}
