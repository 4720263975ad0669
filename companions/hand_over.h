#pragma once

#include <functional>
#include <string>

// An elevated start of a companion (the installer's agent, the monitor's
// restore window) hands over to a copy that the desktop's shell starts with
// the user's rights. The shell can hang or refuse, and the copy can fail to
// begin: each try is checked, and one more is made.
namespace companions
{

// One try of the hand-over, made under a time limit.
enum class ShellStart
{
    Taken,
    Refused,
    NoAnswer,
};

struct HandOverPorts
{
    std::function<ShellStart()> handOver;
    // Waits a while for the new copy to run: true once it does.
    std::function<bool()> copyRuns;
};

struct HandOverOutcome
{
    bool copyRuns = false;
    // Why not, in one line.
    std::string reason;
};

// The hand-over, tried twice at the most.
HandOverOutcome HandOverWithRetry(const HandOverPorts& ports);

} // namespace companions
