#include "flows/session_end_backup.h"

#include "flows/expected_files.h"
#include "flows/report.h"

#include <vector>

namespace flows
{
namespace
{

Verdict VerdictOf(const SavedPlan& saved, const std::vector<ExpectedFile>& files,
                  const std::vector<Shortfall>& judged, bool stopped)
{
    Verdict verdict;
    verdict.expected = saved.refused.size() + files.size();
    verdict.stoppedEarly = stopped;
    for (const std::string& refused : saved.refused)
        verdict.notBackedUp.push_back({0, refused, Shortfall::CannotCarry});
    const auto listed = verdict.notBackedUp.size();
    for (std::size_t i = 0; i < files.size(); ++i)
    {
        if (judged[i] != Shortfall::None)
            verdict.notBackedUp.push_back({files[i].source, files[i].sourcePath, judged[i]});
    }
    // The refused sources stay first, as the list gives them.
    SortBySource(verdict.notBackedUp.begin() + static_cast<std::ptrdiff_t>(listed),
                 verdict.notBackedUp.end());
    return verdict;
}

} // namespace

Verdict BackUpAtSessionEnd(const SavedPlan& saved, const SessionEndRun& run)
{
    const auto inTime = [&run] { return run.clock() < run.deadline; };
    const std::vector<ExpectedFile> files = ListExpectedFiles(saved.plan, run.files, inTime);
    bool stopped = !inTime();
    std::vector<Shortfall> judged;
    judged.reserve(files.size());
    for (const ExpectedFile& file : files)
        judged.push_back(
            Judge(file, file.sourceFound ? run.files.Facts(file.copyPath) : std::nullopt));

    const ReportFile report(run.started, saved.selection.destination, run.localAppData);
    report.WriteToProfile(VerdictOf(saved, files, judged, true));
    KeepToShow(run.localAppData, report.Name());

    const bool modifiedOnly = saved.selection.IsTicked(OptionFlag::ModifiedOnly);
    const bool destinationThere = DestinationIsThere(saved, run.files);
    for (std::size_t i = 0; i < files.size() && destinationThere; ++i)
    {
        // With /M, xcopy leaves a file whose archive bit is clear, whatever
        // its copy: the verdict still names it.
        if (judged[i] == Shortfall::None || judged[i] == Shortfall::SourceNotFound ||
            (modifiedOnly && !files[i].archive))
            continue;
        if (!inTime())
        {
            stopped = true;
            break;
        }
        if (run.files.Copy(files[i].sourcePath, files[i].copyPath) == platform::CopyResult::Copied)
        {
            judged[i] = Shortfall::None;
            if (modifiedOnly)
                run.files.ClearArchive(files[i].sourcePath);
        }
    }

    const Verdict verdict = VerdictOf(saved, files, judged, stopped);
    report.WriteToProfile(verdict);
    if (!report.WriteToDestination(verdict).empty() && !verdict.HasBadNews())
        MarkShown(run.localAppData, report.Name());
    return verdict;
}

} // namespace flows
