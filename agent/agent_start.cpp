#include "agent/agent_start.h"

namespace agent
{

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
