#include "flows/expected_files.h"

#include "platform/file_system.h"
#include "platform/path_text.h"
#include "platform/text_case.h"

#include <set>

namespace flows
{
namespace
{

// Walks one root, carrying the path below it in one buffer that grows and
// shrinks with the depth.
class TreeWalk
{
  public:
    TreeWalk(platform::FileTree& files, const VisitFile& visit) : m_files(files), m_visit(visit) {}

    bool Folder(const std::string& folder, bool hiddenOnTheWay)
    {
        bool goOn = true;
        m_files.List(folder, [&](std::string_view name, const platform::FileFacts& facts) {
            if (!goOn)
                return;
            const size_t depth = m_relative.size();
            if (depth > 0)
                m_relative += platform::kPathSeparator;
            m_relative += name;
            // xcopy without /h passes over a hidden folder and all below it.
            const bool hidden = hiddenOnTheWay || facts.hidden;
            if (!facts.isFolder)
                goOn = m_visit(platform::JoinPath(folder, name), m_relative, facts, hidden);
            else if (!facts.isLink)
                goOn = Folder(platform::JoinPath(folder, name), hidden);
            m_relative.resize(depth);
        });
        return goOn;
    }

    Walk Root(const std::string& path)
    {
        const std::optional<platform::FileFacts> facts = m_files.Facts(path);
        if (!facts)
            return Walk::RootNotFound;
        // A folder's own attributes do not count: xcopy looks at what it finds
        // below it. A file that is hidden is hidden itself.
        m_relative.clear();
        const bool done =
            facts->isFolder
                ? Folder(path, false)
                : m_visit(path, std::string(platform::LastComponent(path)), *facts, facts->hidden);
        return done ? Walk::Done : Walk::Stopped;
    }

  private:
    platform::FileTree& m_files;
    const VisitFile& m_visit;
    std::string m_relative;
};

} // namespace

Walk WalkFiles(platform::FileTree& files, const std::string& root, const VisitFile& visit)
{
    return TreeWalk(files, visit).Root(root);
}

std::vector<ExpectedFile> ListExpectedFiles(const CopyPlan& plan, platform::FileTree& files,
                                            const KeepGoing& keepGoing)
{
    std::vector<ExpectedFile> expected;
    // A source listed twice is copied twice onto the same copies.
    std::set<std::string> walked;
    for (std::size_t index = 0; index < plan.sources.size(); ++index)
    {
        const PlannedSource& source = plan.sources[index];
        std::vector<const CopyStep*> steps;
        for (const CopyStep& step : plan.steps)
        {
            if (step.source == &source)
                steps.push_back(&step);
        }
        if (steps.empty() || !walked.insert(platform::UpperCaseAnsi(source.path)).second)
            continue;
        const auto expect = [&](const std::string& path, const std::string& relative,
                                const platform::FileFacts& facts, bool hiddenOnTheWay) {
            if (keepGoing && !keepGoing())
                return false;
            // Every step of a source copies into the same folder: one is enough.
            for (const CopyStep* step : steps)
            {
                if (step->Copies(relative, hiddenOnTheWay))
                {
                    expected.push_back(ExpectedFile{path, step->CopyPathOf(relative), facts.size,
                                                    facts.lastWrite, true, index, facts.archive});
                    break;
                }
            }
            return true;
        };
        const Walk walk = WalkFiles(
            files, source.isSystemFolder ? platform::ExpandEnvironment(source.path) : source.path,
            expect);
        if (walk == Walk::Stopped)
            break;
        if (walk == Walk::RootNotFound)
            expected.push_back(ExpectedFile{source.path, {}, 0, {}, false, index, false});
    }
    return expected;
}

} // namespace flows
