#include "agent/agent_start.h"

namespace agent
{

bool HandAgentOver(const AgentStartPorts& ports)
{
    std::string reason;
    for (int attempt = 0; attempt < 2; ++attempt)
    {
        switch (ports.handOver())
        {
        case ShellStart::Taken:
            if (ports.agentRuns())
                return true;
            reason = "The copy that the desktop's shell started did not begin to run.";
            break;
        case ShellStart::Refused:
            reason = "The desktop's shell did not start it.";
            break;
        case ShellStart::NoAnswer:
            reason = "The desktop's shell did not answer.";
            break;
        }
    }
    ports.keepReport(reason);
    return false;
}

std::string AgentStartNotice(const std::string& reason)
{
    return "The automatic backups could not start now. They begin at your next log-on.\n" + reason +
           "\n";
}

std::string UnwatchedFoldersNotice(const std::vector<std::string>& folders)
{
    std::string text = "These folders cannot be watched: a file saved in them is not copied when "
                       "it is saved.\n";
    for (const std::string& folder : folders)
        text += folder + "\n";
    return text;
}

} // namespace agent
