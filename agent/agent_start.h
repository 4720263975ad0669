#pragma once

#include <functional>
#include <string>
#include <vector>

// An elevated start of the agent (the installer's) hands over to a copy that
// the desktop's shell starts with the user's rights. The shell can hang or
// refuse, and the copy can fail to begin: the start is checked, tried once
// more, and otherwise the user is told, at the next log-on, when the
// automatic backups begin. That report, and the agent's other news that is
// not a run's verdict, is kept in the profile as the reports are.
namespace agent
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

// The report of a start that did not happen, with its reason.
std::string AgentStartNotice(const std::string& reason);
// The report of folders the agent cannot watch.
std::string UnwatchedFoldersNotice(const std::vector<std::string>& folders);

} // namespace agent
