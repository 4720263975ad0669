#include "load/look_watchdog.h"

#include <windows.h>

namespace
{

constexpr std::chrono::seconds kCancelAgain{1};

HANDLE ThisThread()
{
    HANDLE thread = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    return thread;
}

} // namespace

LookWatchdog::LookWatchdog() : m_thread(ThisThread()), m_watcher(&LookWatchdog::Watch, this)
{
}

LookWatchdog::~LookWatchdog()
{
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_ended = true;
    }
    m_wake.notify_all();
    m_watcher.join();
}

bool LookWatchdog::Within(std::chrono::milliseconds limit, const std::function<void()>& look)
{
    {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_looking = true;
        m_cut = false;
        m_deadline = std::chrono::steady_clock::now() + limit;
    }
    m_wake.notify_all();
    look();
    const std::lock_guard<std::mutex> hold(m_lock);
    m_looking = false;
    return !m_cut;
}

void LookWatchdog::Watch()
{
    std::unique_lock<std::mutex> hold(m_lock);
    while (!m_ended)
    {
        if (!m_looking)
        {
            m_wake.wait(hold);
            continue;
        }
        if (m_wake.wait_until(hold, m_deadline) == std::cv_status::no_timeout)
            continue;
        if (!m_looking || std::chrono::steady_clock::now() < m_deadline)
            continue;
        m_cut = true;
        CancelSynchronousIo(m_thread.Get());
        m_deadline = std::chrono::steady_clock::now() + kCancelAgain;
    }
}
