#pragma once

#include "agent/agent_clock.h"

#include <optional>

namespace agent
{

enum class PowerSource
{
    Mains,
    Battery,
};

// When the daily catch-up runs: the log-off backup's run for a computer that
// sleeps instead of logging off. It is due when the last complete backup is
// over a day old, the computer runs on mains power and no catch-up started
// within the day. Ages are measured on the wall clock, looked at on the
// agent's minute tick and on a resume from sleep, never by waiting a day: a
// wait does not count the time asleep. The tick itself is timed on the
// steady clock. Kept on the agent's window thread: whether the destination
// is there is the worker's look, which the caller makes once this says the
// time has come.
class CatchUpSchedule
{
  public:
    static constexpr UtcSeconds kDay = 24 * 60 * 60;
    static constexpr Millis kTick = 60 * 1000;

    // `lastComplete`: the time kept in the profile, as it was read.
    explicit CatchUpSchedule(UtcSeconds lastComplete) : m_lastComplete(lastComplete) {}

    // With the log-off backup ticked and a plan saved, the tick runs.
    void Follow(bool enabled, Millis now);
    // The next tick, on the steady clock; none while there is nothing to follow.
    std::optional<Millis> NextWake() const;
    // Whether the tick came: it is then set a minute on.
    bool TakeTick(Millis now);

    // Whether the time has come to look at the destination and, with it
    // there, to start. Asked on the tick and on a resume.
    bool Due(UtcSeconds wallNow, PowerSource power) const;
    // A look is under way: nothing more is due until it answered.
    void Looking() { m_looking = true; }
    // What the look found: the time kept in the profile now (the monitor of
    // a "Backup Now" may have kept a newer one meanwhile) and whether the
    // destination is there. True when the run is to start now.
    bool Looked(UtcSeconds lastComplete, bool destinationThere, UtcSeconds wallNow,
                PowerSource power);
    // The run that started at `startedAt` ended; a complete one is the
    // last complete backup from then on.
    void Ended(bool complete, UtcSeconds startedAt);

    bool Running() const { return m_running; }
    UtcSeconds LastComplete() const { return m_lastComplete; }

  private:
    UtcSeconds m_lastComplete;
    std::optional<UtcSeconds> m_lastStart;
    bool m_enabled = false;
    bool m_looking = false;
    bool m_running = false;
    Millis m_nextTick = 0;
};

} // namespace agent
