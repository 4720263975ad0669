#include "platform/yielding_read.h"

namespace platform
{

bool YieldingRead::Read(const std::function<bool()>& read)
{
    const std::lock_guard<std::mutex> hold(m_reading);
    return !m_gaveWay && read();
}

void YieldingRead::GiveWay(const std::function<void()>& close)
{
    const std::lock_guard<std::mutex> hold(m_reading);
    if (!m_gaveWay.exchange(true))
        close();
}

} // namespace platform
