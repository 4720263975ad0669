#pragma once

#include "agent/agent_clock.h"
#include "agent/destination_look.h"

#include <optional>
#include <string>
#include <vector>

namespace agent
{

// When the agent looks at its destination, and what its looks found: every
// round of copies begins with a look; while saves wait for the destination,
// a look comes once a minute and when a device arrives (a share sends no
// device event). After a share refused the user, no look comes until the
// network or the store changes: repeated failed log-ons lock accounts and
// trip a NAS's blocking. The looks run on a worker, one at a time; this
// only keeps their times and their news.
class DestinationWatch
{
  public:
    static constexpr Millis kLookEvery = 60 * 1000;

    // The store names this destination (again): what was found of another
    // text is forgotten, and a refusal too.
    void Follow(const std::string& destination);
    void NetworkChanged();
    void DeviceArrived(Millis now);
    // So many saves wait (from an earlier session: a look at once); none,
    // or none that copy on save still copies: no look.
    void SavesWait(std::size_t waiting, Millis now);

    // Whether a round may look, or must take the last look's word: none
    // after a refusal.
    bool MayLook() const { return m_last.state != DestinationState::Denied; }
    // A look is on its way to the worker, or its answer.
    void LookStarted() { m_looking = true; }
    // `waiting`: the saves that wait for the destination after the round.
    void Looked(const DestinationLook& look, std::size_t waiting, Millis now);

    const DestinationLook& Last() const { return m_last; }

    // A look due for the saves that wait.
    bool LookDue(Millis now) const;
    std::optional<Millis> NextWake() const;

    // What the user is to be told of the looks since the last call: another
    // folder at the destination's place, and the disk found at another
    // letter, each once when it begins.
    std::vector<std::string> TakeNews();

  private:
    std::string m_destination;
    DestinationLook m_last;
    std::size_t m_waiting = 0;
    bool m_looking = false;
    std::optional<Millis> m_nextLook;
    std::vector<std::string> m_news;
};

} // namespace agent
