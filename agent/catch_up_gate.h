#pragma once

#include "agent/agent_clock.h"
#include "agent/catch_up_schedule.h"

#include <atomic>
#include <functional>

namespace agent
{

// What a catch-up under way reads before each file.
struct CatchUpConditions
{
    PowerSource power = PowerSource::Mains;
    // The destination is a share and Windows says the network is metered.
    bool meteredShare = false;
    // The monitor of a "Backup Now" holds its mutex: its xcopy may be
    // writing the same copies.
    bool backupRunning = false;
};

// Holds a catch-up before each file while it must pause (on battery, on a
// metered network, while a "Backup Now" runs) and ends it when the session
// ends. Shared by the agent's window thread, which stops it, and the run's.
class CatchUpGate
{
  public:
    using Read = std::function<CatchUpConditions()>;
    // Waits `millis`, or less when something changed (the power, the
    // network, a stop).
    using Wait = std::function<void(Millis millis)>;

    // Nothing signals the end of a "Backup Now": it is looked at each second.
    static constexpr Millis kBackupLook = 1000;
    // The power and the network are signalled; this only bounds a missed one.
    static constexpr Millis kConditionsLook = 60 * 1000;

    CatchUpGate(Read read, Wait wait) : m_read(std::move(read)), m_wait(std::move(wait)) {}

    // Returns once the run may go on; false when it is to stop.
    bool GoOn();
    // From any thread.
    void Stop() { m_stopped = true; }
    bool Stopped() const { return m_stopped; }

  private:
    Read m_read;
    Wait m_wait;
    std::atomic<bool> m_stopped{false};
};

} // namespace agent
