#include "platform/win32/opportunistic_lock.h"

#include <utility>

namespace platform
{

OpportunisticLock::OpportunisticLock(const std::wstring& path)
    : m_file(CreateFileW(path.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr)),
      m_broke(CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    if (!m_file.IsOpen() || !m_broke.IsOpen())
        return;
    m_request.hEvent = m_broke.Get();
    m_answer.StructureVersion = REQUEST_OPLOCK_CURRENT_VERSION;
    m_answer.StructureLength = sizeof m_answer;
    REQUEST_OPLOCK_INPUT_BUFFER asked{};
    asked.StructureVersion = REQUEST_OPLOCK_CURRENT_VERSION;
    asked.StructureLength = sizeof asked;
    asked.RequestedOplockLevel = OPLOCK_LEVEL_CACHE_READ | OPLOCK_LEVEL_CACHE_HANDLE;
    asked.Flags = REQUEST_OPLOCK_INPUT_FLAG_REQUEST;
    // Granted, the request stays pending until the lock breaks.
    if (DeviceIoControl(m_file.Get(), FSCTL_REQUEST_OPLOCK, &asked, sizeof asked, &m_answer,
                        sizeof m_answer, nullptr, &m_request))
        m_grant = Grant::Refused;
    else if (GetLastError() == ERROR_IO_PENDING)
        m_grant = Grant::Granted;
    else if (GetLastError() == ERROR_OPLOCK_NOT_GRANTED)
        m_grant = Grant::Refused;
}

OpportunisticLock::~OpportunisticLock()
{
    // Waits for a break being handled, so that nothing it uses is gone.
    if (m_wait != nullptr)
        UnregisterWaitEx(m_wait, INVALID_HANDLE_VALUE);
    if (m_grant == Grant::Granted && m_file.IsOpen())
    {
        // The request's buffers must outlive it.
        CancelIoEx(m_file.Get(), &m_request);
        DWORD ignored = 0;
        GetOverlappedResult(m_file.Get(), &m_request, &ignored, TRUE);
    }
}

void OpportunisticLock::OnBreak(std::function<void()> broken)
{
    if (m_grant != Grant::Granted)
        return;
    m_broken = std::move(broken);
    RegisterWaitForSingleObject(&m_wait, m_broke.Get(), &OpportunisticLock::Broke, this, INFINITE,
                                WT_EXECUTEONLYONCE);
}

void CALLBACK OpportunisticLock::Broke(void* context, BOOLEAN)
{
    auto* lock = static_cast<OpportunisticLock*>(context);
    lock->m_broken();
    // Closing the handle answers the break.
    lock->m_file.Close();
}

} // namespace platform
