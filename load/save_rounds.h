#pragma once

#include "agent/copy_on_save.h"
#include "agent/destination_look.h"
#include "agent/save_round.h"
#include "agent/waiting_saves.h"
#include "companions/saved_plan.h"
#include "load/look_watchdog.h"
#include "model/install_directory.h"
#include "platform/computer.h"

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What a round of copy on save on the agent's worker came to.
struct SaveRoundResult
{
    agent::SaveRound round;
    // The look it began with, when it could look.
    bool looked = false;
    agent::DestinationLook look;
    // The plan for the place the destination was at.
    std::shared_ptr<const companions::SavedPlan> plan;
    agent::SaveRoundOutcome outcome;
    // The saves that wait for the destination afterwards.
    std::size_t waiting = 0;
    // Not copied while a backup of "Backup Now" runs, whose xcopy may be
    // writing the same copies: tried again a while later.
    std::vector<std::string> postponed;
};

// The rounds of copy on save as the agent's worker makes them, and what it
// keeps between them: the saves that wait, the day's report of the copies
// that failed, the plan for where the disk moved. Touched by the worker only.
class SaveRounds
{
  public:
    SaveRounds(const InstallDirectory& directory, const std::string& localAppData);

    std::size_t Waiting();
    // One round: a look at the destination first (unless `look` is false:
    // the last one's word, `last`, holds), cut short after ten seconds.
    SaveRoundResult Run(const std::shared_ptr<const companions::SavedPlan>& saved,
                        const agent::SaveRound& round, bool look,
                        const agent::DestinationLook& last, LookWatchdog& watchdog);
    // Adds the files that could not be copied to the day's report.
    void Report(const companions::SavedPlan& plan,
                const std::vector<std::pair<std::string, agent::SavedFileCopy>>& uncopied);

  private:
    agent::WaitingSaves& Saves();
    std::shared_ptr<const companions::SavedPlan> PlanAt(
        const std::shared_ptr<const companions::SavedPlan>& saved, const std::string& place);

    InstallDirectory m_directory;
    std::string m_localAppData;
    platform::Computer m_computer;
    std::optional<agent::WaitingSaves> m_waiting;
    agent::UncopiedFilesReport m_uncopied;
    std::shared_ptr<const companions::SavedPlan> m_movedFrom;
    std::shared_ptr<const companions::SavedPlan> m_moved;
};
