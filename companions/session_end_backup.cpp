#include "companions/session_end_backup.h"

#include "companions/expected_files.h"
#include "companions/report.h"

#include <vector>

namespace companions
{
namespace
{

Verdict VerdictOf(const SavedPlan& saved, const std::vector<ExpectedFile>& files,
                  const std::vector<Shortfall>& judged, bool stopped)
{
    VerdictBuilder verdict;
    for (const std::string& refused : saved.refused)
        verdict.Refused(refused);
    for (std::size_t i = 0; i < files.size(); ++i)
        verdict.Judged(files[i], judged[i]);
    return verdict.Build(stopped);
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
        judged.push_back(Judge(file, run.files));

    ReportPublisher report(run.started, saved.selection.destination, run.localAppData);
    report.Interim(VerdictOf(saved, files, judged, true));

    const bool modifiedOnly = saved.selection.IsTicked(OptionFlag::ModifiedOnly);
    const bool destinationThere = run.files.IsFolder(saved.selection.destination);
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
    report.Final(verdict, false);
    return verdict;
}

} // namespace companions
