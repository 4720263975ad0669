#pragma once

#include "platform/file_tree.h"

#include <string>
#include <vector>

// What a backup run reads of each source, once, in list order: the entry
// checks and the plan both take it. Where many neighbours in the list share a
// folder (a photo library dropped onto it), the folder is read once: a folder
// that is not there has none of them, and a plain file found in its listing
// is a file with no identity read, since the checks compare identities with
// folders only (the destination and the folders above it). Folders, links
// and names the listing does not show are looked up one by one.
std::vector<platform::PathTarget> LookUpSources(const std::vector<std::string>& sources,
                                                platform::FileTree& files);
