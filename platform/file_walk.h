#pragma once

#include "platform/file_tree.h"
#include "platform/unfinished_copy.h"

#include <functional>
#include <string>

namespace platform
{

// Sees one file: its full path, its path below the walked root (for a root
// that is a file, its own name), its facts, and whether it or a folder
// between it and the root is hidden. Returns false to stop the walk.
using VisitFile = std::function<bool(const std::string& path, const std::string& relative,
                                     const FileFacts& facts, bool hiddenOnTheWay)>;

enum class Walk
{
    Done,
    Stopped,
    RootNotFound,
};

// Every file below the root, hidden ones included, as xcopy /s finds them,
// but for unfinished copies and folders named `passedOver` (the backup's own
// versions) and all below them. Folders that are links are not walked into:
// a profile's junctions lead in circles.
Walk WalkFiles(FileTree& files, const std::string& root, std::string_view passedOver,
               const VisitFile& visit);

} // namespace platform
