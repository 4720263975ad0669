#pragma once

#include <ctime>
#include <functional>
#include <string>

// An elevated start of the agent (the installer's) hands over to a copy that
// the desktop's shell starts with the user's rights. The shell can hang or
// refuse, and the copy can fail to begin: the start is checked, tried once
// more, and otherwise the user is told, at the next log-on, when the
// automatic backups begin.
namespace companions
{

// One try of the hand-over, made under a time limit.
enum class ShellStart
{
    Taken,
    Refused,
    NoAnswer,
};

struct AgentStartPorts
{
    std::function<ShellStart()> handOver;
    // Waits a while for the agent's copy to run: true once it does.
    std::function<bool()> agentRuns;
    // Keeps the report for the next log-on; the reason is one line.
    std::function<void(const std::string& reason)> keepReport;
};

// True when an agent runs after at most two tries; otherwise the report is kept.
bool HandAgentOver(const AgentStartPorts& ports);

// Writes the report into the profile's reports and keeps it to be shown at the
// next log-on.
void KeepAgentStartReport(const std::string& localAppData, const std::tm& now,
                          const std::string& reason);

} // namespace companions
