#include "platform/file_walk.h"

#include "platform/path_text.h"

#include <optional>

namespace platform
{
namespace
{

// Walks one root, carrying the path below it in one buffer that grows and
// shrinks with the depth.
class TreeWalk
{
  public:
    TreeWalk(FileTree& files, std::string_view passedOver, const VisitFile& visit)
        : m_files(files), m_passedOver(files.FoldCase(std::string(passedOver))), m_visit(visit)
    {
    }

    bool Folder(const std::string& folder, bool hiddenOnTheWay)
    {
        bool goOn = true;
        m_files.List(folder, [&](std::string_view name, const FileFacts& facts) {
            if (!goOn || (facts.isFolder ? m_files.FoldCase(std::string(name)) == m_passedOver
                                         : IsUnfinishedCopy(name)))
                return;
            const size_t depth = m_relative.size();
            if (depth > 0)
                m_relative += kPathSeparator;
            m_relative += name;
            // xcopy without /h passes over a hidden folder and all below it.
            const bool hidden = hiddenOnTheWay || facts.hidden;
            if (!facts.isFolder)
                goOn = m_visit(JoinPath(folder, name), m_relative, facts, hidden);
            else if (!facts.isLink)
                goOn = Folder(JoinPath(folder, name), hidden);
            m_relative.resize(depth);
        });
        return goOn;
    }

    Walk Root(const std::string& path)
    {
        const std::optional<FileFacts> facts = m_files.Facts(path);
        if (!facts)
            return Walk::RootNotFound;
        // A folder's own attributes do not count: xcopy looks at what it finds
        // below it. A file that is hidden is hidden itself.
        m_relative.clear();
        const bool done = facts->isFolder ? Folder(path, false)
                                          : m_visit(path, std::string(LastComponent(path)), *facts,
                                                    facts->hidden);
        return done ? Walk::Done : Walk::Stopped;
    }

  private:
    FileTree& m_files;
    const std::string m_passedOver;
    const VisitFile& m_visit;
    std::string m_relative;
};

} // namespace

Walk WalkFiles(FileTree& files, const std::string& root, std::string_view passedOver,
               const VisitFile& visit)
{
    return TreeWalk(files, passedOver, visit).Root(root);
}

} // namespace platform
