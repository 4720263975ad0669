#include "agent/destination_watch.h"

#include <utility>

namespace agent
{

void DestinationWatch::Follow(const std::string& destination)
{
    if (destination != m_destination)
        m_last = {};
    m_destination = destination;
    NetworkChanged();
}

void DestinationWatch::NetworkChanged()
{
    if (m_last.state == DestinationState::Denied)
        m_last = {};
}

void DestinationWatch::DeviceArrived(Millis now)
{
    if (m_waiting > 0)
        m_nextLook = now;
}

void DestinationWatch::SavesWait(std::size_t waiting, Millis now)
{
    m_waiting = waiting;
    if (m_waiting == 0)
        m_nextLook.reset();
    else if (!m_nextLook)
        m_nextLook = now;
}

void DestinationWatch::Looked(const DestinationLook& look, std::size_t waiting, Millis now)
{
    m_looking = false;
    if (look.state == DestinationState::NotOurs && m_last.state != DestinationState::NotOurs)
        m_news.push_back(NotOurBackupText(m_destination));
    if (look.state == DestinationState::There && look.place != m_destination &&
        look.place != m_last.place)
        m_news.push_back(BackupMovedText(look.place));
    m_last = look;
    m_waiting = waiting;
    m_nextLook.reset();
    if (m_waiting > 0)
        m_nextLook = now + kLookEvery;
}

bool DestinationWatch::LookDue(Millis now) const
{
    return !m_looking && MayLook() && m_nextLook && *m_nextLook <= now;
}

std::optional<Millis> DestinationWatch::NextWake() const
{
    return m_looking || !MayLook() ? std::nullopt : m_nextLook;
}

std::vector<std::string> DestinationWatch::TakeNews()
{
    return std::exchange(m_news, {});
}

} // namespace agent
