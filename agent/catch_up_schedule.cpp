#include "agent/catch_up_schedule.h"

namespace agent
{

void CatchUpSchedule::Follow(bool enabled, Millis now)
{
    if (enabled && !m_enabled)
        m_nextTick = now + kTick;
    m_enabled = enabled;
}

std::optional<Millis> CatchUpSchedule::NextWake() const
{
    if (!m_enabled)
        return std::nullopt;
    return m_nextTick;
}

bool CatchUpSchedule::TakeTick(Millis now)
{
    if (!m_enabled || now < m_nextTick)
        return false;
    m_nextTick = now + kTick;
    return true;
}

bool CatchUpSchedule::Due(UtcSeconds wallNow, PowerSource power) const
{
    // A clock set back before the last start waits a day from that start:
    // at most one run a day, whatever the clock says.
    const bool ranToday = m_lastStart && wallNow < *m_lastStart + kDay;
    return m_enabled && !m_looking && !m_running && power == PowerSource::Mains && !ranToday &&
           wallNow - m_lastComplete > kDay;
}

bool CatchUpSchedule::Looked(UtcSeconds lastComplete, bool destinationThere, UtcSeconds wallNow,
                             PowerSource power)
{
    m_looking = false;
    m_lastComplete = lastComplete;
    if (!destinationThere || !Due(wallNow, power))
        return false;
    m_running = true;
    m_lastStart = wallNow;
    return true;
}

void CatchUpSchedule::Ended(bool complete, UtcSeconds startedAt)
{
    m_running = false;
    if (complete && startedAt > m_lastComplete)
        m_lastComplete = startedAt;
}

} // namespace agent
