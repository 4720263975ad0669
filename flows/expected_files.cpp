#include "flows/expected_files.h"

#include "platform/file_system.h"
#include "platform/text_case.h"

#include <set>

namespace flows
{
namespace
{

// Walks one source, carrying the path below it in one buffer that grows and
// shrinks with the depth.
class SourceWalk
{
  public:
    SourceWalk(std::size_t source, const std::vector<const CopyStep*>& steps,
               std::vector<ExpectedFile>& files)
        : m_source(source), m_steps(steps), m_files(files)
    {
    }

    void File(const std::string& sourcePath, const platform::FileFacts& facts, bool hiddenOnTheWay)
    {
        // Every step of a source copies into the same folder: one is enough.
        for (const CopyStep* step : m_steps)
        {
            if (step->Copies(m_relative, hiddenOnTheWay))
            {
                m_files.push_back(ExpectedFile{sourcePath, step->CopyPathOf(m_relative), facts.size,
                                               facts.lastWrite, true, m_source});
                return;
            }
        }
    }

    void Folder(const std::string& folder, bool hiddenOnTheWay)
    {
        platform::ListFolder(folder, [&](std::string_view name, const platform::FileFacts& facts) {
            const size_t depth = m_relative.size();
            if (depth > 0)
                m_relative += platform::kPathSeparator;
            m_relative += name;
            // xcopy without /h passes over a hidden folder and all below it.
            const bool hidden = hiddenOnTheWay || facts.hidden;
            if (!facts.isFolder)
                File(JoinPath(folder, name), facts, hidden);
            else if (!facts.isLink)
                Folder(JoinPath(folder, name), hidden);
            m_relative.resize(depth);
        });
    }

    void Source(const std::string& path)
    {
        const std::optional<platform::FileFacts> facts = platform::FactsOf(path);
        if (!facts)
        {
            m_files.push_back(ExpectedFile{path, {}, 0, {}, false, m_source});
            return;
        }
        if (facts->isFolder)
        {
            m_relative.clear();
            Folder(path, false);
            return;
        }
        const size_t separator = path.rfind(platform::kPathSeparator);
        m_relative = separator == std::string::npos ? path : path.substr(separator + 1);
        File(path, *facts, facts->hidden);
    }

  private:
    const std::size_t m_source;
    const std::vector<const CopyStep*>& m_steps;
    std::vector<ExpectedFile>& m_files;
    std::string m_relative;
};

} // namespace

std::vector<ExpectedFile> ListExpectedFiles(const CopyPlan& plan)
{
    std::vector<ExpectedFile> files;
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
        SourceWalk walk(index, steps, files);
        walk.Source(source.isSystemFolder ? platform::ExpandEnvironment(source.path) : source.path);
    }
    return files;
}

std::string JoinPath(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (path.empty() || path.back() != platform::kPathSeparator)
        path += platform::kPathSeparator;
    return path.append(name);
}

} // namespace flows
