#include "agent/session_end_backup.h"

#include "agent/last_complete_backup.h"
#include "companions/expected_files.h"
#include "companions/no_copy_reason.h"
#include "companions/report.h"
#include "companions/saved_selection.h"
#include "companions/versions.h"

#include <vector>

namespace agent
{
namespace
{

companions::Verdict VerdictOf(const companions::SavedPlan& saved,
                              const std::vector<companions::ExpectedFile>& files,
                              const std::vector<companions::Shortfall>& judged, bool stopped)
{
    companions::VerdictBuilder verdict;
    for (const companions::RefusedSource& refused : saved.refused)
        verdict.Refused(refused.path, refused.reason);
    for (std::size_t i = 0; i < files.size(); ++i)
        verdict.Judged(files[i], judged[i]);
    return verdict.Build(stopped);
}

} // namespace

std::string DestinationAtSessionEnd(const InstallDirectory& directory, platform::FileTree& files,
                                    const std::tm& started, const std::string& localAppData)
{
    const companions::SavedSelection read = companions::ReadSavedSelection(directory, files);
    if (read.unreadable.empty())
        return read.selection.destination;
    companions::ReportPublisher(files, started, "", localAppData)
        .Notice(companions::UnreadableStoreText(read.unreadable) + "\n");
    return {};
}

bool IsComplete(const companions::Verdict& verdict, bool destinationRefused)
{
    if (verdict.stoppedEarly || destinationRefused)
        return false;
    for (const companions::NotBackedUp& file : verdict.notBackedUp)
    {
        if (file.reason != companions::Shortfall::AccessDenied)
            return false;
    }
    return true;
}

companions::Verdict BackUpAtSessionEnd(const companions::SavedPlan& saved, const SessionEndRun& run)
{
    bool told = false;
    const auto inTime = [&run, &told] {
        if (run.goOn && !run.goOn())
        {
            told = true;
            return false;
        }
        return run.clock() < run.deadline;
    };
    // Left before anything is walked: should the session be forced to end,
    // or the destination not answer, this report is what remains.
    companions::ReportPublisher report(run.files, run.started, saved.selection.destination,
                                       run.localAppData, {}, run.reportSuffix);
    report.Interim(VerdictOf(saved, {}, {}, true));

    // Walking, judging and copying all count against the cap.
    std::vector<companions::ExpectedFile> files =
        companions::ListExpectedFiles(saved.plan, run.files, inTime);
    // Out of time here, the listing itself may have been cut short.
    bool stopped = !inTime();
    const bool modifiedOnly = saved.selection.IsTicked(OptionFlag::ModifiedOnly);
    const bool destinationThere = run.files.IsFolder(saved.selection.destination);
    companions::NoCopyReasons reasons(saved.selection.destination, false, run.files);
    std::vector<companions::Shortfall> judged;
    judged.reserve(files.size());
    for (const companions::ExpectedFile& file : files)
    {
        if (stopped || !inTime())
        {
            stopped = true;
            break;
        }
        companions::Shortfall shortfall = companions::Judge(file, run.files);
        // With /M, xcopy leaves a file whose archive bit is clear, whatever
        // its copy: the verdict still names it.
        if (destinationThere && companions::NeedsCopy(shortfall) && (!modifiedOnly || file.archive))
        {
            switch (companions::CopyKeepingVersion(file.sourcePath, saved.plan.destination,
                                                   file.copyPath, run.files))
            {
            case companions::VersionedCopy::Copied:
                shortfall = companions::Shortfall::None;
                if (modifiedOnly)
                    run.files.ClearArchive(file.sourcePath);
                break;
            case companions::VersionedCopy::NotKept:
                shortfall = companions::Shortfall::CannotKeep;
                break;
            case companions::VersionedCopy::Failed:
                // Named in the report, but a file this user may not read
                // keeps no backup from being complete.
                if (run.files.IsDenied(file.sourcePath))
                    shortfall = companions::Shortfall::AccessDenied;
                break;
            case companions::VersionedCopy::SourceBusy:
                break;
            }
        }
        if (shortfall == companions::Shortfall::Missing)
            shortfall =
                run.destinationRefused ? companions::Shortfall::AccessDenied : reasons.Of(file);
        judged.push_back(shortfall);
    }
    // Only what was checked is counted.
    files.resize(judged.size());
    const companions::Verdict verdict = VerdictOf(saved, files, judged, stopped);
    report.Final(verdict, told);
    if (IsComplete(verdict, run.destinationRefused))
        KeepLastCompleteBackup(run.localAppData, run.startedUtc, run.files);
    return verdict;
}

} // namespace agent
