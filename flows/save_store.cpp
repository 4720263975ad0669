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

    note(store::ReplaceIfDifferent(path(kSettingsFile), store::FormatSettings(selection.flags)));
    if (selection.IsTicked(OptionFlag::AutoBackupOnShutdown))
        note(store::ReplaceIfDifferent(path(kEnableAutoMarker), ""));
    else
        note(store::Delete(path(kEnableAutoMarker)));
    // A destination the batch cannot carry gets no mod.bat: its quoting would
    // break, and an old one would copy to the previous destination.
    if (!selection.IsTicked(OptionFlag::BackupOnModify))
    {
        // Cataloguing is asked for again when the option is next ticked.
        note(store::Delete(path(kModBatchFile)));
        note(store::Delete(path(kCatalogedMarker)));
    }
    else if (CanCarryInBatch(selection.destination))
        note(
            store::ReplaceIfDifferent(path(kModBatchFile), ComposeModBatch(selection.destination)));
    else
    {
        store::Delete(path(kModBatchFile));
        note(false);
    }
    note(store::ReplaceIfDifferent(path(kDataFile), selection.destination));
    if (selection.sources.empty())
        note(store::Delete(path(kFilesToBackupFile)));
    else
        note(store::ReplaceLines(path(kFilesToBackupFile), selection.sources));

    if (!allSaved)
        prompt.Show(Message{"Error Cannot Save Settings To " + directory.Root() +
                                " \nDetails:Some settings were not saved",
                            "ERROR", kStopType});
    return SaveOutcome::Saved;
}

} // namespace flows
