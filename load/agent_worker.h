#pragma once

#include "load/look_watchdog.h"
#include "platform/win32/handle.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>
#include <windows.h>

// The resident agent's worker: everything that may wait on a disk or a
// share (reading the store, opening folders, looking at the destination,
// copying, walking, writing reports) runs here, job after job, so that the
// window's thread answers the session's and the devices' messages at once.
// A job returns its reply, which the window's thread runs.
class AgentWorker
{
  public:
    using Reply = std::function<void()>;
    // Bounds the job's looks (LookWatchdog::Within).
    using Job = std::function<Reply(LookWatchdog& watchdog)>;

    // Time the jobs under way are given to end when the agent ends.
    static constexpr std::chrono::seconds kJobsEnd{5};

    AgentWorker();
    // A job under way is finished; one that hangs (a dead network
    // destination) is left to the process's end.
    ~AgentWorker();
    AgentWorker(const AgentWorker&) = delete;
    AgentWorker& operator=(const AgentWorker&) = delete;

    // Set when replies wait.
    HANDLE Done() const;
    void Post(Job job);
    // On the window's thread: the replies of the jobs done, in their order.
    void RunReplies();
    // The jobs not begun are dropped.
    void Drop();
    // True once every job is done, false when that took longer.
    bool WaitIdle(std::chrono::milliseconds most);

  private:
    // Owned by the thread too, which may outlive the worker.
    struct State;
    static void Work(std::shared_ptr<State> state);

    std::shared_ptr<State> m_state;
    std::thread m_thread;
};
