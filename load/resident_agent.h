#pragma once

#include "agent/agent_schedule.h"
#include "agent/destination_watch.h"
#include "agent/folder_watches.h"
#include "agent/save_round.h"
#include "companions/saved_plan.h"
#include "load/directory_watch.h"
#include "load/save_rounds.h"
#include "model/install_directory.h"
#include "platform/computer.h"
#include "platform/win32/handle.h"

#include <memory>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

class AgentCatchUp;
class AgentWatches;
class AgentWorker;

// The user's agent for one session: copies a saved file of the selection when
// mod.bat and cataloged ask for it, and backs the selection up at log-off or
// shutdown when enableauto does. Its window's thread waits on events only
// (its messages, the change reports of the folders it watches, a change of
// the network, the installer's request to end, and the one timeout its
// schedules name) and never on a disk or a share: reading the store, opening
// folders, looking at the destination, copying and walking run on its worker.
class ResidentAgent
{
  public:
    ResidentAgent(const InstallDirectory& directory, HANDLE stopEvent);
    ~ResidentAgent();
    ResidentAgent(const ResidentAgent&) = delete;
    ResidentAgent& operator=(const ResidentAgent&) = delete;

    // Until the installer asks it to end, or the session has ended.
    void Run();

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Reads the markers and the store again, on the worker, and follows them.
    void Reload();
    void Follow(companions::AgentDuties duties, std::shared_ptr<const companions::SavedPlan> saved,
                std::size_t waiting, const std::string& unreadable);
    void TakeChanges(agent::Millis now);
    void DoDue(agent::Millis now);
    void Open(const agent::WatchedFolder& watched);
    void PostRound(agent::SaveRound round);
    void RoundDone(const SaveRoundResult& result);
    void Notify(std::string notice);
    void OnDeviceChange(WPARAM event, LPARAM data);
    void WatchNetwork();
    void BackUpAtSessionEnd();

    InstallDirectory m_directory;
    HANDLE m_stopEvent;
    std::string m_localAppData;
    HWND m_window = nullptr;
    agent::AgentSchedule m_schedule;
    agent::FolderWatches m_watches;
    agent::DestinationWatch m_destination;
    companions::AgentDuties m_duties;
    // Shared with the rounds under way, which keep the plan they began with.
    std::shared_ptr<const companions::SavedPlan> m_saved;
    // Touched by the worker only.
    std::shared_ptr<SaveRounds> m_rounds;
    std::unique_ptr<AgentWorker> m_worker;
    std::unique_ptr<AgentCatchUp> m_catchUp;
    std::unique_ptr<AgentWatches> m_handles;
    // Folders that could not be watched, reported once.
    std::set<std::string> m_unwatched;
    struct Changes
    {
        std::string folder;
        std::vector<FolderChange> changes;
        bool complete;
        bool watching;
    };
    // Handed in by the watches' routines, taken after the wait.
    std::vector<Changes> m_changes;
    // Set when the network's addresses change.
    platform::Handle m_networkChanged;
    OVERLAPPED m_networkWatch{};
    bool m_sessionEnded = false;
    // The store file that could not be read when last looked at, reported once.
    std::string m_unreadable;
};
