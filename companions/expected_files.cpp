#include "companions/expected_files.h"

#include "model/backup_folders.h"
#include "platform/environment.h"
#include "platform/file_walk.h"
#include "platform/path_text.h"

#include <set>

namespace companions
{

std::vector<ExpectedFile> ListExpectedFiles(const CopyPlan& plan, platform::FileTree& files,
                                            const KeepGoing& keepGoing)
{
    std::vector<ExpectedFile> expected;
    // A source listed twice is copied twice onto the same copies.
    std::set<std::string> walked;
    for (std::size_t index = 0; index < plan.sources.size(); ++index)
    {
        const PlannedSource& source = plan.sources[index];
        const std::string sourcePath(source.path);
        std::vector<const CopyStep*> steps;
        for (const CopyStep& step : plan.steps)
        {
            if (step.source == &source)
                steps.push_back(&step);
        }
        if (steps.empty() || !walked.insert(files.FoldCase(sourcePath)).second)
            continue;
        const auto expect = [&](const std::string& path, const std::string& relative,
                                const platform::FileFacts& facts, bool hiddenOnTheWay) {
            if (keepGoing && !keepGoing())
                return false;
            // Every step of a source copies into the same folder: one is enough.
            const std::string_view name = platform::LastComponent(relative);
            for (const CopyStep* step : steps)
            {
                if (step->CopiesName(name, hiddenOnTheWay))
                {
                    expected.push_back(ExpectedFile{path, step->CopyPathOf(relative), facts.size,
                                                    facts.lastWrite, true, index, facts.archive});
                    break;
                }
            }
            return true;
        };
        const platform::Walk walk = platform::WalkFiles(
            files, source.isSystemFolder ? platform::ExpandEnvironment(sourcePath) : sourcePath,
            kVersionsFolder, expect);
        if (walk == platform::Walk::Stopped)
            break;
        if (walk == platform::Walk::RootNotFound)
            expected.push_back(ExpectedFile{sourcePath, {}, 0, {}, false, index, false});
    }
    return expected;
}

} // namespace companions
