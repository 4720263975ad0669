#include "agent/save_round.h"

#include "model/backup_folders.h"
#include "platform/file_walk.h"
#include "platform/path_text.h"

#include <algorithm>

namespace agent
{

std::vector<std::string> FilesBehind(const companions::SavedPlan& saved,
                                     const WatchedFolder& watched, platform::FileTree& files)
{
    std::vector<std::string> behind;
    const auto judge = [&](const std::string& path) {
        if (MayCopySavedFile(saved, path, files) && SavedFileIsBehind(saved, path, files))
            behind.push_back(path);
    };
    for (const std::string& name : watched.names)
        judge(platform::JoinPath(watched.folder, name));
    if (watched.names.empty())
        platform::WalkFiles(
            files, watched.folder, kVersionsFolder,
            [&](const std::string& path, const std::string&, const platform::FileFacts&, bool) {
                judge(path);
                return true;
            });
    return behind;
}

SaveRoundOutcome RunSaveRound(const companions::SavedPlan& saved, DestinationState state,
                              const SaveRound& round, WaitingSaves& waiting,
                              platform::FileTree& files)
{
    SaveRoundOutcome outcome;
    if (state != DestinationState::There)
    {
        waiting.Add(round.files);
        return outcome;
    }
    outcome.walked = true;
    std::vector<std::string> tried = round.files;
    tried.insert(tried.end(), waiting.Files().begin(), waiting.Files().end());
    std::vector<std::string> toCopy;
    for (const std::string& path : tried)
    {
        if (!files.IsFolder(path))
            toCopy.push_back(path);
        else if (MayHoldSavedFiles(saved, path, files))
        {
            const std::vector<std::string> behind = FilesBehind(saved, {path, true, {}}, files);
            toCopy.insert(toCopy.end(), behind.begin(), behind.end());
        }
    }
    for (const WatchedFolder& walk : round.walks)
    {
        const std::vector<std::string> behind = FilesBehind(saved, walk, files);
        toCopy.insert(toCopy.end(), behind.begin(), behind.end());
    }
    std::sort(toCopy.begin(), toCopy.end());
    toCopy.erase(std::unique(toCopy.begin(), toCopy.end()), toCopy.end());
    std::vector<std::string> away;
    for (const std::string& path : toCopy)
    {
        const SavedFileCopy copy = CopySavedFile(saved, path, files);
        outcome.copies.emplace_back(path, copy);
        if (copy == SavedFileCopy::Away)
            away.push_back(path);
    }
    waiting.Remove(tried);
    waiting.Add(away);
    return outcome;
}

} // namespace agent
