#include "flows/session_end_backup.h"

#include "flows/file_walk.h"

#include <set>
#include <vector>

namespace flows
{
namespace
{

// One copy the plan makes of one file.
struct PlannedCopy
{
    // The file, as the report names it.
    std::string source;
    std::string copy;
    // Why the copy does not back up the file yet; nullptr once it does.
    const char* reason;
    // Made by a line with /M.
    bool clearArchive;
};

// Lists the copies the plan makes, judging each, and reports what cannot be
// copied at all. False when the deadline came first.
bool ListCopies(const SavedPlan& saved, const SessionEndRun& run, std::vector<PlannedCopy>& copies,
                RunReport& report)
{
    for (const std::string& refused : saved.refused)
        report.notBackedUp.push_back({refused, kCannotCarry});
    report.fileCount += saved.refused.size();
    for (const PlannedSource& source : saved.plan.sources)
    {
        std::vector<const CopyStep*> steps;
        for (const CopyStep& step : saved.plan.steps)
        {
            if (step.source == &source)
                steps.push_back(&step);
        }
        if (steps.empty())
            continue;
        const std::string root = source.isSystemFolder ? run.systemFolder : source.path;
        const auto plan = [&](const std::string& file, const std::string& relative,
                              const platform::FileFacts& facts, bool hidden) {
            if (run.clock() >= run.deadline)
                return false;
            std::set<std::string> places;
            bool clearArchive = false;
            for (const CopyStep* step : steps)
            {
                if (step->Copies(relative, hidden) && (!step->modifiedOnly || facts.archive))
                {
                    places.insert(step->CopyPathOf(relative));
                    clearArchive = clearArchive || step->modifiedOnly;
                }
            }
            for (const std::string& place : places)
                copies.push_back(
                    {file, place, ReasonNotBackedUp(facts, run.files.Facts(place)), clearArchive});
            return true;
        };
        const Walk walk = WalkFiles(run.files, root, plan);
        if (walk == Walk::Stopped)
            return false;
        if (walk == Walk::RootNotFound)
        {
            report.notBackedUp.push_back({source.path, kSourceNotFound});
            ++report.fileCount;
        }
    }
    return true;
}

RunReport ReportOf(RunReport report, const std::vector<PlannedCopy>& copies, bool stopped)
{
    report.fileCount += copies.size();
    for (const PlannedCopy& copy : copies)
    {
        if (copy.reason)
            report.notBackedUp.push_back({copy.source, copy.reason});
    }
    report.stoppedEarly = stopped;
    return report;
}

} // namespace

RunReport BackUpAtSessionEnd(const SavedPlan& saved, const SessionEndRun& run)
{
    RunReport uncopiable;
    std::vector<PlannedCopy> copies;
    bool stopped = !ListCopies(saved, run, copies, uncopiable);

    const ReportFile file(run.started, saved.selection.destination, run.profileFolder);
    file.WriteToProfile(ReportOf(uncopiable, copies, true));
    KeepToShow(run.profileFolder, file.Name());

    const bool destinationThere = DestinationIsThere(saved, run.files);
    for (PlannedCopy& copy : copies)
    {
        if (!copy.reason || !destinationThere)
            continue;
        if (run.clock() >= run.deadline)
        {
            stopped = true;
            break;
        }
        if (run.files.CopyKeepingTime(copy.source, copy.copy) == platform::CopyResult::Copied)
        {
            copy.reason = nullptr;
            if (copy.clearArchive)
                run.files.ClearArchiveBit(copy.source);
        }
    }

    const RunReport report = ReportOf(uncopiable, copies, stopped);
    file.WriteToProfile(report);
    if (file.WriteToDestination(report) && !report.HasBadNews())
        MarkShown(run.profileFolder, file.Name());
    return report;
}

} // namespace flows
