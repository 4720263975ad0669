#include "desktop/agent_run_lock.h"

#include "model/backup_running.h"

#include <sddl.h>

namespace
{

// Another user's agent made the mutex, or will: everyone may wait on it and
// release it, or the first session's default rights would shut out the rest.
HANDLE OpenSharedMutex()
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(
            "D:(A;;0x00100001;;;WD)", SDDL_REVISION_1, &descriptor, nullptr))
        descriptor = nullptr;
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor, FALSE};
    HANDLE mutex = CreateMutexA(descriptor ? &attributes : nullptr, FALSE, kAgentRunMutex);
    if (!mutex)
        mutex = OpenMutexA(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kAgentRunMutex);
    LocalFree(descriptor);
    return mutex;
}

} // namespace

AgentRunLock::AgentRunLock(DWORD millis, HANDLE stop) : m_mutex(OpenSharedMutex())
{
    if (!m_mutex.IsOpen())
        return;
    const HANDLE waits[] = {m_mutex.Get(), stop};
    const DWORD woken = WaitForMultipleObjects(stop ? 2 : 1, waits, FALSE, millis);
    // An agent that ended holding it (a crash) leaves it abandoned: ours now.
    m_held = woken == WAIT_OBJECT_0 || woken == WAIT_ABANDONED_0;
}

AgentRunLock::~AgentRunLock()
{
    if (m_held)
        ReleaseMutex(m_mutex.Get());
}
