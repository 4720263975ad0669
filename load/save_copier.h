#pragma once

#include "agent/copy_on_save.h"
#include "platform/win32/handle.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>
#include <windows.h>

// Copies saved files on a thread of its own, batch after batch, so that a long
// copy never keeps the window's thread from the session's messages. It also
// writes the agent's reports, in the same order: the profile's list of reports
// to show is never written by two at once.
class SaveCopier
{
  public:
    // Time the copies under way are given to end when the agent ends.
    static constexpr std::chrono::seconds kCopiesEnd{5};

    struct Batch
    {
        std::shared_ptr<const companions::SavedPlan> saved;
        std::vector<std::string> copy;
        // Files that could not be copied, with what their copy came to,
        // reported in the destination and the profile.
        std::vector<std::pair<std::string, agent::SavedFileCopy>> uncopied;
        // A report of the agent's own, kept in the profile.
        std::string notice;
    };
    struct Copied
    {
        std::shared_ptr<const companions::SavedPlan> saved;
        std::vector<std::pair<std::string, agent::SavedFileCopy>> files;
        // Not copied while a backup of "Backup Now" runs: its xcopy may be
        // writing the same copies.
        std::vector<std::string> postponed;
    };

    explicit SaveCopier(const std::string& localAppData);
    // A copy under way is finished; one that hangs (a dead network
    // destination) is left to the process's end.
    ~SaveCopier();
    SaveCopier(const SaveCopier&) = delete;
    SaveCopier& operator=(const SaveCopier&) = delete;

    // Set when copies are done.
    HANDLE Done() const;
    void Post(Batch batch);
    std::vector<Copied> TakeCopied();
    // The batches not begun are dropped.
    void Drop();
    // True once every batch is done, false when that took longer.
    bool WaitIdle(std::chrono::milliseconds most);

  private:
    // Owned by the thread too, which may outlive the copier.
    struct State;

    static void Work(std::shared_ptr<State> state);
    static std::optional<Batch> Next(State& state);
    static Copied Do(const Batch& batch, State& state);

    std::shared_ptr<State> m_state;
    std::thread m_thread;
};
