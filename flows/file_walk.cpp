#include "flows/file_walk.h"

#include "plan/path_text.h"

namespace flows
{
namespace
{

bool WalkFolder(platform::FilePort& files, const std::string& folder, const std::string& relative,
                bool hidden, const VisitFile& visit)
{
    for (const platform::FolderEntry& entry : files.List(folder))
    {
        const std::string below = relative.empty() ? entry.name : JoinPath(relative, entry.name);
        const bool hiddenOnTheWay = hidden || entry.facts.hidden;
        const std::string path = JoinPath(folder, entry.name);
        const bool goOn = entry.facts.isFolder
                              ? WalkFolder(files, path, below, hiddenOnTheWay, visit)
                              : visit(path, below, entry.facts, hiddenOnTheWay);
        if (!goOn)
            return false;
    }
    return true;
}

} // namespace

Walk WalkFiles(platform::FilePort& files, const std::string& root, const VisitFile& visit)
{
    const std::optional<platform::FileFacts> facts = files.Facts(root);
    if (!facts)
        return Walk::RootNotFound;
    // A folder's own attributes do not count: xcopy looks at what it finds
    // below it. A file that is hidden is hidden itself.
    const bool done = facts->isFolder
                          ? WalkFolder(files, root, "", false, visit)
                          : visit(root, std::string(LastComponent(root)), *facts, facts->hidden);
    return done ? Walk::Done : Walk::Stopped;
}

} // namespace flows
