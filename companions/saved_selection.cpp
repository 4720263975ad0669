#include "companions/saved_selection.h"

#include "platform/path_code.h"
#include "store/store_file.h"
#include "store/store_formats.h"

namespace companions
{

SavedSelection ReadSavedSelection(const InstallDirectory& directory, platform::FileTree& files)
{
    SavedSelection saved;
    store::FileText texts[3];
    const char* const names[] = {kFilesToBackupFile, kDataFile, kSettingsFile};
    for (int i = 0; i < 3; ++i)
    {
        const std::string path = directory.PathOf(names[i]);
        texts[i] = store::Read(path, files);
        if (texts[i].result == platform::ReadResult::Unreadable)
        {
            saved.unreadable = path;
            return saved;
        }
    }
    BackupSelection& selection = saved.selection;
    selection.sources = store::ParseSourceList(texts[0].text);
    // The dialog writes its paths in ANSI; the companions hold theirs as
    // path text, which names every file.
    for (std::string& source : selection.sources)
        source = platform::PathFromAnsi(std::move(source));
    selection.destination = platform::PathFromAnsi(store::ParseDestination(texts[1].text));
    selection.flags = store::ParseSettings(texts[2].text);
    saved.saved = texts[2].result == platform::ReadResult::Read;
    return saved;
}

std::string UnreadableStoreText(const std::string& path)
{
    return "Cannot read the saved selection: " + path;
}

} // namespace companions
