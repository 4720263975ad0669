#pragma once

#include <string>
#include <vector>

// An elevated start of the agent (the installer's) that cannot hand over to
// the user's copy tells the user, at the next log-on, when the automatic
// backups begin. That report, and the agent's other news that is not a run's
// verdict, is kept in the profile as the reports are.
namespace agent
{

// The report of a start that did not happen, with its reason.
std::string AgentStartNotice(const std::string& reason);
// The report of folders the agent cannot watch.
std::string UnwatchedFoldersNotice(const std::vector<std::string>& folders);

} // namespace agent
