#include "flows/save_store.h"

#include "plan/batch_text.h"
#include "plan/mod_batch.h"
#include "plan/source_lookup.h"
#include "plan/validate_source_entry.h"
#include "store/store_file.h"
#include "store/store_formats.h"

namespace flows
{

SaveOutcome SaveStore(const BackupSelection& selection, const InstallDirectory& directory,
                      Prompt& prompt, platform::FileTree& files)
{
    if (const std::optional<Message> rejection =
            FirstRejectedSource(selection, LookUpSources(selection.sources, files), files))
    {
        prompt.Show(*rejection);
        return SaveOutcome::Rejected;
    }

    // One file that cannot be written must not cost the others: each step
    // runs whatever became of the one before, and the user hears of it once.
    bool allSaved = true;
    const auto note = [&allSaved](bool done) { allSaved = allSaved && done; };
    const auto path = [&directory](const char* name) { return directory.PathOf(name); };
    const auto written = [&](const char* name, const std::string& text) {
        return store::ReplaceWithTextIfDifferent(path(name), text, files);
    };
    const auto deleted = [&](const char* name) { return store::Delete(path(name), files); };

    note(written(kSettingsFile, store::FormatSettings(selection.flags)));
    if (selection.IsTicked(OptionFlag::AutoBackupOnShutdown))
        note(written(kEnableAutoMarker, ""));
    else
        note(deleted(kEnableAutoMarker));
    // A destination the batch cannot carry gets no mod.bat: its quoting would
    // break, and an old one would copy to the previous destination.
    if (!selection.IsTicked(OptionFlag::BackupOnModify))
    {
        // Cataloguing is asked for again when the option is next ticked.
        note(deleted(kModBatchFile));
        note(deleted(kCatalogedMarker));
    }
    else if (CanCarryInBatch(selection.destination))
        note(written(kModBatchFile, ComposeModBatch(selection.destination)));
    else
    {
        deleted(kModBatchFile);
        note(false);
    }
    note(written(kDataFile, selection.destination));
    if (selection.sources.empty())
        note(deleted(kFilesToBackupFile));
    else
        note(files.Replace(path(kFilesToBackupFile), store::DiskLines(selection.sources)));

    if (!allSaved)
        prompt.Show(Message{"Error Cannot Save Settings To " + directory.Root() +
                                " \nDetails:Some settings were not saved",
                            "ERROR", kStopType});
    return SaveOutcome::Saved;
}

} // namespace flows
