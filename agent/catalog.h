#pragma once

#include "model/install_directory.h"
#include "platform/file_tree.h"

#include <string>
#include <vector>

// The catalog, asked for by the catalog flow of the window: it records the
// moment from which "modified" counts by clearing the archive bit of every
// file of the saved sources. The instance of Load.exe that the flow starts
// does it, since it writes in the install directory, which only the window's
// elevated processes may; config.bat names no saved path.
namespace agent
{

// Every file below the sources (a source that is a file: itself) whose
// archive bit is set, hidden and system files too: any backup line with /M
// may copy them.
std::vector<std::string> CatalogList(const std::vector<std::string>& sources,
                                     platform::FileTree& files);

enum class CatalogOutcome
{
    Done,
    // The cataloged marker could not be written; the request stays.
    MarkerNotWritten,
};

// Reads the list the window saved (the caller waits until the window has
// ended, so that it is the list saved by the same click), clears every
// archive bit, then creates cataloged and removes the catalog request. A bit
// that cannot be cleared only makes its file count as modified once more.
CatalogOutcome RunCatalog(const InstallDirectory& directory, platform::FileTree& files);

} // namespace agent
