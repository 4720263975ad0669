#pragma once

#include "platform/win32/handle.h"

#include <functional>
#include <string>
#include <windows.h>
#include <winioctl.h>

namespace platform
{

// An opportunistic lock (read and handle caching) on a file, on a handle of
// its own opened for overlapped use. It breaks when another program opens
// the file to write, renames over it or deletes it; that program waits until
// the lock's handle is closed. A file system without such locks (Wine, some
// shares) grants none, and nothing waits.
class OpportunisticLock
{
  public:
    enum class Grant
    {
        Granted,
        // Another program has the file open in a way that refuses the lock:
        // it is busy.
        Refused,
        Unsupported,
    };

    explicit OpportunisticLock(const std::wstring& path);
    // Stops waiting for the break and lets the lock go.
    ~OpportunisticLock();
    OpportunisticLock(const OpportunisticLock&) = delete;
    OpportunisticLock& operator=(const OpportunisticLock&) = delete;

    Grant Granted() const { return m_grant; }

    // Once the lock breaks, runs `broken` on a thread of the system's pool
    // and then closes the lock's handle, which lets the other program on.
    // `broken` must let the file go at once.
    void OnBreak(std::function<void()> broken);

  private:
    static void CALLBACK Broke(void* lock, BOOLEAN timedOut);

    Handle m_file;
    Handle m_broke;
    OVERLAPPED m_request{};
    REQUEST_OPLOCK_OUTPUT_BUFFER m_answer{};
    Grant m_grant = Grant::Unsupported;
    HANDLE m_wait = nullptr;
    std::function<void()> m_broken;
};

} // namespace platform
