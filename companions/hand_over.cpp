#include "companions/hand_over.h"

namespace companions
{

HandOverOutcome HandOverWithRetry(const HandOverPorts& ports)
{
    HandOverOutcome outcome;
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        switch (ports.handOver())
        {
        case ShellStart::Taken:
            if (ports.copyRuns())
                return HandOverOutcome{true, {}};
            outcome.reason = "The copy that the desktop's shell started did not begin to run.";
            break;
        case ShellStart::Refused:
            outcome.reason = "The desktop's shell did not start it.";
            break;
        case ShellStart::NoAnswer:
            outcome.reason = "The desktop's shell did not answer.";
            break;
        }
    }
    return outcome;
}

} // namespace companions
