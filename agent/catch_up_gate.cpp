#include "agent/catch_up_gate.h"

namespace agent
{

bool CatchUpGate::GoOn()
{
    while (!m_stopped)
    {
        const CatchUpConditions conditions = m_read();
        if (conditions.backupRunning)
            m_wait(kBackupLook);
        else if (conditions.power == PowerSource::Battery || conditions.meteredShare)
            m_wait(kConditionsLook);
        else
            return true;
    }
    return false;
}

} // namespace agent
