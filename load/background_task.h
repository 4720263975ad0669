#pragma once

#include <atomic>
#include <functional>
#include <thread>

// One job at a time on a thread of its own, which the job's owner may ask to
// stop. A job must not wait for the thread that stops it.
class BackgroundTask
{
  public:
    BackgroundTask() = default;
    BackgroundTask(const BackgroundTask&) = delete;
    BackgroundTask& operator=(const BackgroundTask&) = delete;
    ~BackgroundTask();

    // Stops the job before, then runs this one; `stop` says it is asked to end.
    void Start(std::function<void(const std::atomic<bool>& stop)> job);
    // Asks the job to end, without waiting for it.
    void RequestStop();
    // Asks the job to end and waits until it has.
    void Stop();

  private:
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
};
