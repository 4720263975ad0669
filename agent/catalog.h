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
    // The request is gone: the window withdrew it when config.bat could not
    // start, and said that the catalog was not started.
    Withdrawn,
    // The saved list cannot be read; the request stays.
    StoreUnreadable,
    // The cataloged marker could not be written; the request stays.
    MarkerNotWritten,
};

// While the catalog request still stands, reads the list the window saved
// (the caller waits until the window has ended, so that it is the list saved
// by the same click), clears every archive bit, then creates cataloged and
// removes the request. A bit that cannot be cleared only makes its file count
// as modified once more. `unreadable` is set to a store file that cannot be
// read.
CatalogOutcome RunCatalog(const InstallDirectory& directory, platform::FileTree& files,
                          std::string& unreadable);

} // namespace agent
