#pragma once

#include "companions/report.h"
#include "companions/saved_plan.h"
#include "platform/file_tree.h"

#include <ctime>
#include <map>
#include <optional>
#include <string>
#include <vector>

// Copy on save: a file of the saved selection, once saved, is copied to the
// place backup.bat puts it. Only the saved sources are watched, never the
// system folder; nothing is copied from the destination or the install
// directory.
namespace agent
{

// Whether a change at `path` may concern a file the plan copies: it lies in a
// source and a step copies such names. The hidden rule waits for the copy,
// when the file has settled.
bool MayCopySavedFile(const companions::SavedPlan& saved, const std::string& path,
                      const platform::FileTree& files);

// Whether `path` lies inside a folder source, where a folder moved in may
// hold files the plan copies.
bool MayHoldSavedFiles(const companions::SavedPlan& saved, const std::string& path,
                       const platform::FileTree& files);

// Where the file is copied to: the place of each step that copies it, once
// each, sorted.
std::vector<std::string> CopiesOfSavedFile(const companions::SavedPlan& saved,
                                           const std::string& path, platform::FileTree& files);

enum class SavedFileCopy
{
    Copied,
    // Every copy was there already, not older and of the same size.
    UpToDate,
    // A copy not older than the file but of another size (a version the user
    // put back, say) was left alone: it is reported.
    NewerCopyKept,
    // The plan copies no file of that name, or it is gone.
    NotCopied,
    // Another program still has it open for writing.
    Busy,
    Failed,
    // The copy could not be kept as a version: it was not replaced.
    NotKept,
    // The destination is not there: the file waits for it.
    Away,
};

// Copies the file where its copy is missing or older, never over a copy that
// is not older, keeping the copy it replaces as a version, and then clears
// its archive bit, as xcopy /M does, so that a backup of modified files only
// does not copy it again.
SavedFileCopy CopySavedFile(const companions::SavedPlan& saved, const std::string& path,
                            platform::FileTree& files);

// Whether a copy of the file is missing or older than it, as the log-off
// backup judges: a save the agent has not copied.
bool SavedFileIsBehind(const companions::SavedPlan& saved, const std::string& path,
                       platform::FileTree& files);

// The saved files that could not be copied, in one report a day: each
// failure is added to the day's report, in the destination and the profile,
// which is kept to be shown at the next log-on. A day of failed saves opens
// one report, not one each, and so does a destination that keeps no version
// of any file.
class UncopiedFilesReport
{
  public:
    explicit UncopiedFilesReport(std::string localAppData);

    // Each file with what its copy came to.
    void Add(const companions::SavedPlan& saved,
             const std::vector<std::pair<std::string, SavedFileCopy>>& uncopied,
             platform::FileTree& files, const std::tm& now);

  private:
    std::string m_localAppData;
    // The day of the report being written: its year and day of the year.
    std::pair<int, int> m_day{-1, -1};
    // Each file of the day, and whether its old copy could not be kept.
    std::map<std::string, bool> m_paths;
    std::optional<companions::ReportPublisher> m_report;
};

} // namespace agent
