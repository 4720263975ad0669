#pragma once

#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "platform/file_tree.h"
#include "store/store_file.h"
#include "store/store_formats.h"
#include "tests/native/support/fake_files.h"

#include <string>
#include <utility>
#include <vector>

// The ticks are ten option states in settings.dat order, "1" for ticked:
// "1000000010" is All File Types and System State.
inline BackupSelection Selection(std::vector<std::string> sources, std::string destination,
                                 const std::string& ticks)
{
    BackupSelection selection{std::move(sources), std::move(destination), {}};
    for (size_t i = 0; i < ticks.size(); ++i)
        selection.flags[i] = ticks[i] == '1';
    return selection;
}

// The store as the window leaves it after a save, in its folder.
inline void SaveSelection(const InstallDirectory& directory, const BackupSelection& selection,
                          platform::FileTree& files)
{
    store::ReplaceWithText(directory.PathOf(kSettingsFile), store::FormatSettings(selection.flags),
                           files);
    store::ReplaceWithText(directory.PathOf(kDataFile), selection.destination, files);
    store::ReplaceWithText(directory.PathOf(kFilesToBackupFile),
                           store::FormatSourceList(selection.sources), files);
}

// The same into a tree in memory, the folder made first.
inline void SaveSelection(const InstallDirectory& directory, const BackupSelection& selection,
                          FakeFiles& files)
{
    files.MakeFolders(directory.Root());
    SaveSelection(directory, selection, static_cast<platform::FileTree&>(files));
}
