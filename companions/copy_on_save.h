#pragma once

#include "companions/saved_plan.h"
#include "platform/file_tree.h"

#include <ctime>
#include <string>
#include <vector>

// Copy on save: a file of the saved selection, once saved, is copied to the
// place backup.bat puts it. Only the saved sources are watched, never the
// system folder; nothing is copied from the destination or the install
// directory.
namespace companions
{

// Whether a change at `path` may concern a file the plan copies: it lies in a
// source and a step copies such names. The hidden rule waits for the copy,
// when the file has settled.
bool MayCopySavedFile(const SavedPlan& saved, const std::string& path,
                      const platform::FileTree& files);

// Where the file is copied to: the place of each step that copies it, once
// each, sorted.
std::vector<std::string> CopiesOfSavedFile(const SavedPlan& saved, const std::string& path,
                                           platform::FileTree& files);

enum class SavedFileCopy
{
    Copied,
    // Every copy was there already, not older and of the same size.
    UpToDate,
    // The plan copies no file of that name, or it is gone.
    NotCopied,
    // Another program still has it open for writing.
    Busy,
    Failed,
};

// Copies the file where its copy is missing or older, and then clears its
// archive bit, as xcopy /M does, so that a backup of modified files only does
// not copy it again.
SavedFileCopy CopySavedFile(const SavedPlan& saved, const std::string& path,
                            platform::FileTree& files);

// Reports the saved files that could not be copied, in the destination and
// the profile, and keeps the report to be shown at the next log-on.
void ReportUncopiedFiles(const SavedPlan& saved, const std::vector<std::string>& paths,
                         platform::FileTree& files, const std::tm& now,
                         const std::string& localAppData);

} // namespace companions
