#pragma once

#include "flows/agent_schedule.h"
#include "flows/saved_plan.h"
#include "model/install_directory.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>
#include <windows.h>

class DirectoryWatch;

// The user's agent for one session: copies a saved file of the selection when
// mod.bat and cataloged ask for it, and backs the selection up at log-off or
// shutdown when enableauto does. It waits on events only: its window's
// messages, the change reports of the folders it watches, the installer's
// request to end, and the one timeout its schedule names.
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
    void TakeChanges(std::size_t watch, flows::Millis now);
    void DoDue(flows::Millis now);
    void BackUpAtSessionEnd();

    InstallDirectory m_directory;
    HANDLE m_stopEvent;
    std::string m_localAppData;
    HWND m_window = nullptr;
    flows::AgentSchedule m_schedule;
    flows::AgentDuties m_duties;
    std::optional<flows::SavedPlan> m_saved;
    std::vector<std::unique_ptr<DirectoryWatch>> m_watches;
    std::vector<std::string> m_watchedFolders;
    bool m_sessionEnded = false;
};
