#include "flows/backup_run.h"

#include "flows/companion_starts.h"
#include "plan/backup_script.h"
#include "plan/batch_text.h"
#include "plan/source_lookup.h"
#include "plan/validate_source_entry.h"
#include "store/store_file.h"

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace flows
{
namespace
{

Message Refusal(const char* text)
{
    return Message{text, "Error", kStopType};
}

// The selection is incomplete: the first thing missing, in the order the
// user fills the dialog in.
std::optional<Message> MissingPart(const BackupSelection& selection)
{
    if (selection.destination.empty())
        return Refusal("Please Select a Location to Backup To.");
    if (selection.sources.empty())
        return Refusal("Please Select a File or Folder To Backup");
    // Hidden and ModifiedOnly only narrow a copy; alone they copy nothing.
    const OptionFlag kinds[] = {OptionFlag::AllFileTypes, OptionFlag::Pictures,
                                OptionFlag::AudioMusic,   OptionFlag::Video,
                                OptionFlag::Documents,    OptionFlag::SystemState};
    for (const OptionFlag kind : kinds)
    {
        if (selection.IsTicked(kind))
            return std::nullopt;
    }
    return Refusal("Please Select a File Type or System Option");
}

Message NotStarted(const std::string& reason)
{
    return Message{reason + " \nDetails:The backup was not started", "ERROR", kStopType};
}

// A file the run writes, and how: whole or, for the longer ones, made as it
// is written.
struct RunFile
{
    const char* name;
    std::function<bool(const std::string& path)> write;
};

} // namespace

RunOutcome RunBackup(const BackupSelection& selection, const InstallDirectory& directory,
                     Prompt& prompt, Shell& shell, const BackupRunningQuery& isBackupRunning,
                     platform::FileTree& files)
{
    std::optional<Message> stop = MissingPart(selection);
    // Each source is looked up once, for the checks and for the plan.
    std::vector<platform::PathTarget> targets;
    if (!stop)
    {
        targets = LookUpSources(selection.sources, files);
        stop = FirstRejectedSource(selection, targets, files);
    }
    if (!stop)
        stop = FirstUncarriablePath(selection);
    // xcopy of a single file into a missing folder asks "file or directory?"
    // in its hidden window and waits for an answer for ever.
    if (!stop && !files.IsFolder(selection.destination))
        stop = NotStarted("Error Cannot Find " + selection.destination);
    // The interpreter reads a running batch by offset from its file: a new
    // backup.bat would make the old batch run pieces of it. A backup.bat left
    // by a killed run blocks nothing, since only the monitor's mutex counts.
    if (!stop && isBackupRunning())
        stop = NotStarted("Error A Backup Is Still Running");
    if (stop)
    {
        prompt.Show(*stop);
        return RunOutcome::Stopped;
    }

    const std::string backupBatchPath = directory.PathOf(kBackupBatchFile);
    const CopyPlan plan = PlanBackup(selection, targets, files);
    BackupScript script(plan, backupBatchPath, store::kDiskLineEnd);
    const auto whole = [&files](std::string text) {
        return [&files, text = std::move(text)](const std::string& path) {
            return store::ReplaceWithText(path, text, files);
        };
    };
    // Read by the monitor only; the save that follows a started run rewrites
    // the file from the list alone.
    const std::string_view systemState =
        selection.IsTicked(OptionFlag::SystemState) ? "System State" : "";
    std::vector<RunFile> runFiles = {
        {kDataFile, whole(selection.destination)},
        {kBackupBatchFile,
         [&](const std::string& path) {
             return files.Replace(path, [&script] { return script.NextLines(); });
         }},
        {kFilesToBackupFile,
         [&](const std::string& path) {
             return files.Replace(path, store::DiskLines(selection.sources, systemState));
         }},
    };
    // Tells the monitor that videos are copied; never deleted by the program.
    if (selection.IsTicked(OptionFlag::Video))
        runFiles.push_back({kVideoMarker, whole("")});
    for (const RunFile& file : runFiles)
    {
        const std::string path = directory.PathOf(file.name);
        if (!file.write(path))
        {
            prompt.Show(NotStarted("Error Cannot Write " + path));
            return RunOutcome::Stopped;
        }
    }

    // A monitor that fails to start is no reason to report the backup as not
    // started: backup.bat already runs and copies without it.
    if (!StartCompanions(directory, shell, kAfterBackup)[0])
    {
        prompt.Show(NotStarted("Error Cannot Start " + backupBatchPath));
        return RunOutcome::Stopped;
    }
    return RunOutcome::Started;
}

} // namespace flows
