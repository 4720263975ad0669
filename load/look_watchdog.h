#pragma once

#include "platform/win32/handle.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// Bounds the looks of one thread at a disk or a share: a look that has not
// ended within its limit counts as unanswered, and the calls it waits in
// are cancelled (CancelSynchronousIo), again each second, until it returns.
// Made and used on the thread whose looks it bounds.
class LookWatchdog
{
  public:
    LookWatchdog();
    ~LookWatchdog();
    LookWatchdog(const LookWatchdog&) = delete;
    LookWatchdog& operator=(const LookWatchdog&) = delete;

    // Runs the look; false when it took longer than `limit` and was cut short.
    bool Within(std::chrono::milliseconds limit, const std::function<void()>& look);

  private:
    void Watch();

    platform::Handle m_thread;
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_looking = false;
    bool m_cut = false;
    bool m_ended = false;
    std::chrono::steady_clock::time_point m_deadline;
    std::thread m_watcher;
};
