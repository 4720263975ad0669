#include "store/save_store.h"

#include "backup/validate_source_entry.h"
#include "store/mod_batch.h"
#include "store/store_file.h"
#include "store/store_formats.h"

namespace store
{

SaveOutcome SaveStore(const BackupSelection& selection, const InstallDirectory& directory,
                      Prompt& prompt)
{
    if (const std::optional<Message> rejection = FirstRejectedSource(selection))
    {
        prompt.Show(*rejection);
        return SaveOutcome::Rejected;
    }

    // One file that cannot be written must not cost the others: each step
    // runs whatever became of the one before, and the user hears of it once.
    bool allSaved = true;
    const auto note = [&allSaved](bool done) { allSaved = allSaved && done; };
    const auto path = [&directory](const char* name) { return directory.PathOf(name); };

    note(TruncateWrite(path(kSettingsFile), FormatSettings(selection.flags)));
    if (selection.IsTicked(OptionFlag::AutoBackupOnShutdown))
        note(TruncateWrite(path(kEnableAutoMarker), ""));
    else
        note(Delete(path(kEnableAutoMarker)));
    if (selection.IsTicked(OptionFlag::BackupOnModify))
    {
        note(TruncateWrite(path(kModBatchFile), ComposeModBatch(selection.destination)));
    }
    else
    {
        // Cataloguing is asked for again when the option is next ticked.
        note(Delete(path(kModBatchFile)));
        note(Delete(path(kCatalogedMarker)));
    }
    note(TruncateWrite(path(kDataFile), selection.destination));
    if (selection.sources.empty())
        note(Delete(path(kFilesToBackupFile)));
    else
        note(TruncateWrite(path(kFilesToBackupFile), FormatSourceList(selection.sources)));

    if (!allSaved)
        prompt.Show(Message{"Error Cannot Save Settings To " + directory.Root() +
                                " \nDetails:Some settings were not saved",
                            "ERROR", kStopType});
    return SaveOutcome::Saved;
}

} // namespace store
