#pragma once

#include "agent/agent_schedule.h"
#include "companions/saved_plan.h"
#include "model/install_directory.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

class DirectoryRoutineWatch;
class SaveCopier;

// The user's agent for one session: copies a saved file of the selection when
// mod.bat and cataloged ask for it, and backs the selection up at log-off or
// shutdown when enableauto does. It waits on events only: its window's
// messages, the change reports of the folders it watches (completion
// routines, run in its alertable wait), the installer's request to end, and
// the one timeout its schedule names.
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
    // Reads the markers and the store again and watches what they name.
    void Reload();
    void TakeChanges(agent::Millis now);
    void DoDue(agent::Millis now);
    void TakeCopies(agent::Millis now);
    void BackUpAtSessionEnd();

    InstallDirectory m_directory;
    HANDLE m_stopEvent;
    std::string m_localAppData;
    HWND m_window = nullptr;
    agent::AgentSchedule m_schedule;
    companions::AgentDuties m_duties;
    // Shared with the copies under way, which keep the plan they began with.
    std::shared_ptr<const companions::SavedPlan> m_saved;
    std::unique_ptr<SaveCopier> m_copier;
    std::vector<std::unique_ptr<DirectoryRoutineWatch>> m_watches;
    std::vector<std::string> m_watchedFolders;
    // Folders that could not be watched, reported once.
    std::set<std::string> m_unwatched;
    struct Changes
    {
        std::string folder;
        std::vector<std::string> names;
        bool complete;
    };
    // Handed in by the watches' routines, taken after the wait.
    std::vector<Changes> m_changes;
    bool m_sessionEnded = false;
    // The store file that could not be read when last looked at, reported once.
    std::string m_unreadable;
};
