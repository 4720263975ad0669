#pragma once

#include "platform/win32/handle.h"

#include <windows.h>

// Holds the mutex every user's agent takes around a run over the whole
// selection (the log-off backup, the daily catch-up), while it lives.
class AgentRunLock
{
  public:
    // Waits for the mutex, at most `millis`, and no longer once `stop` (when
    // given) is set.
    AgentRunLock(DWORD millis, HANDLE stop = nullptr);
    ~AgentRunLock();
    AgentRunLock(const AgentRunLock&) = delete;
    AgentRunLock& operator=(const AgentRunLock&) = delete;

    bool Held() const { return m_held; }

  private:
    platform::Handle m_mutex;
    bool m_held = false;
};
