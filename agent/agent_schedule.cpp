#include "agent/agent_schedule.h"

#include "agent/copy_on_save.h"
#include "platform/path_text.h"

#include <algorithm>

namespace agent
{

AgentSchedule::AgentSchedule(std::string installDirectory, const platform::FileTree& files)
    : m_installDirectory(std::move(installDirectory)), m_files(files)
{
}

void AgentSchedule::Follow(const companions::SavedPlan* plan)
{
    m_plan = plan;
}

std::vector<WatchedFolder> AgentSchedule::FoldersToWatch() const
{
    std::vector<WatchedFolder> candidates = {{m_installDirectory, false, {}}};
    if (m_plan)
    {
        for (const CopyStep& step : m_plan->plan.steps)
        {
            const PlannedSource& source = *step.source;
            if (source.isSystemFolder)
                continue;
            const size_t separator = platform::FindLastSeparator(source.path);
            if (!source.isFile)
                candidates.push_back({std::string(source.path), true, {}});
            else if (separator != std::string_view::npos)
                candidates.push_back({std::string(source.path.substr(0, separator + 1)),
                                      false,
                                      {std::string(source.path.substr(separator + 1))}});
        }
    }
    std::vector<WatchedFolder> folders;
    std::vector<std::string> upperFolders;
    const auto covers = [&](size_t i, const std::string& upper, const WatchedFolder& candidate) {
        return folders[i].subtree ? platform::IsAtOrBelowFolder(upper, upperFolders[i])
                                  : !candidate.subtree && upper == upperFolders[i];
    };
    for (WatchedFolder& candidate : candidates)
    {
        const std::string upper = m_files.FoldCase(candidate.folder);
        if (candidate.folder.empty())
            continue;
        // Watched already, or another file of a folder watched for its files.
        size_t i = 0;
        while (i < folders.size() && !covers(i, upper, candidate))
            ++i;
        if (i < folders.size())
        {
            auto& names = folders[i].names;
            if (folders[i].subtree || names.empty())
                continue;
            if (candidate.names.empty())
                names.clear();
            for (const std::string& name : candidate.names)
            {
                if (std::find(names.begin(), names.end(), name) == names.end())
                    names.push_back(name);
            }
            continue;
        }
        // A later folder may hold earlier ones.
        for (i = upperFolders.size(); candidate.subtree && i-- > 0;)
        {
            if (platform::IsAtOrBelowFolder(upperFolders[i], upper))
            {
                folders.erase(folders.begin() + static_cast<std::ptrdiff_t>(i));
                upperFolders.erase(upperFolders.begin() + static_cast<std::ptrdiff_t>(i));
            }
        }
        folders.push_back(std::move(candidate));
        upperFolders.push_back(upper);
    }
    return folders;
}

void AgentSchedule::Changed(const std::string& path, Millis now)
{
    if (platform::IsAtOrBelowFolder(m_files.FoldCase(path), m_files.FoldCase(m_installDirectory)))
        m_storeDue = now + kQuietPeriod;
    else if (m_plan && MayCopySavedFile(*m_plan, path, m_files))
    {
        // Written again: the file is not stuck, it is being worked on.
        m_busy.erase(path);
        m_filesDue[path] = now + kQuietPeriod;
    }
}

void AgentSchedule::Appeared(const std::string& path, Millis now)
{
    if (m_plan && !MayCopySavedFile(*m_plan, path, m_files) &&
        MayHoldSavedFiles(*m_plan, path, m_files))
        m_filesDue[path] = now + kQuietPeriod;
    else
        Changed(path, now);
}

bool AgentSchedule::Busy(const std::string& path, Millis now)
{
    BusyFile& busy = m_busy.try_emplace(path, BusyFile{now, kQuietPeriod}).first->second;
    if (now - busy.since >= kBusyLimit)
    {
        m_busy.erase(path);
        return false;
    }
    m_filesDue[path] = now + busy.wait;
    busy.wait = std::min<Millis>(busy.wait * 2, 60 * 1000);
    return true;
}

void AgentSchedule::WaitForBackup(const std::string& path, Millis now)
{
    m_filesDue[path] = now + kBackupWait;
}

void AgentSchedule::StoreUnreadable(Millis now)
{
    if (!m_storeDue || *m_storeDue > now + kStoreRetry)
        m_storeDue = now + kStoreRetry;
}

std::optional<Millis> AgentSchedule::NextWake() const
{
    std::optional<Millis> wake = m_storeDue;
    for (const auto& [path, due] : m_filesDue)
    {
        if (!wake || due < *wake)
            wake = due;
    }
    return wake;
}

AgentSchedule::Due AgentSchedule::TakeDue(Millis now)
{
    Due due;
    if (m_storeDue && *m_storeDue <= now)
    {
        due.store = true;
        m_storeDue.reset();
    }
    for (auto file = m_filesDue.begin(); file != m_filesDue.end();)
    {
        if (file->second <= now)
        {
            due.files.push_back(file->first);
            file = m_filesDue.erase(file);
        }
        else
            ++file;
    }
    return due;
}

} // namespace agent
