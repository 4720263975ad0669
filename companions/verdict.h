#pragma once

#include "companions/expected_files.h"
#include "companions/file_reason.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace companions
{

// Why a file is not backed up.
enum class Shortfall
{
    None,
    Missing,
    OlderThanSource,
    SizeDiffers,
    SourceNotFound,
    // A source whose name the backup script could not carry: no copy of it
    // is ever made from the saved selection.
    CannotCarry,
    // A source that is, or holds, the destination or the install directory
    // under some name (or that the dialog would refuse): never copied.
    HoldsBackupFolder,
    // The copy could not be kept as a version (a share that refuses the
    // swap, a full folder or disk): it was left as it was, not replaced.
    CannotKeep,
    // The destination, a share, refused the user: nothing could be copied
    // or judged there.
    AccessDenied,
    // No copy, and why (NoCopyReasons).
    InUse,
    PathTooLong,
    DiskFull,
};

// The words the report and the monitor use for a shortfall.
const char* ReasonText(Shortfall shortfall);

// Whether two last-write times are the same: FAT keeps them to two seconds,
// rounded either way.
bool SameTime(platform::FileTime a, platform::FileTime b);

// A copy is good when it exists, has the source's size and is not older than
// the source by more than FAT's two seconds. A copy that cannot be reached
// (its path too long, say) is missing.
Shortfall Judge(const ExpectedFile& file, const std::optional<platform::FileFacts>& copy);
// Whether a companion replaces the copy, as xcopy /d would: only one that is
// missing or older. A copy that is not older but of another size may be a
// newer version the user put back: it is reported, never overwritten.
inline bool NeedsCopy(Shortfall shortfall)
{
    return shortfall == Shortfall::Missing || shortfall == Shortfall::OlderThanSource;
}

// The same with the copy as the file tree has it now.
Shortfall Judge(const ExpectedFile& file, platform::FileTree& files);

struct NotBackedUp
{
    std::size_t source = 0;
    std::string sourcePath;
    Shortfall reason = Shortfall::None;
};

struct Verdict
{
    std::size_t expected = 0;
    // Source by source in list order, by path within a source.
    std::vector<NotBackedUp> notBackedUp;
    // The batch ended before its last line: the copies that come after the
    // point it was stopped at were never tried.
    bool stoppedEarly = false;

    // What the user must be shown when the run could not show it itself.
    bool HasBadNews() const { return stoppedEarly || !notBackedUp.empty(); }
};

// Counts the files a run expected and lists those not backed up: the
// sources refused as a whole first, in list order, then the files source by
// source in list order, by path within a source (folders list their names in
// no fixed order on every file system).
class VerdictBuilder
{
  public:
    void Refused(const std::string& sourcePath, Shortfall reason);
    void Judged(const ExpectedFile& file, Shortfall shortfall);
    Verdict Build(bool stoppedEarly) const;

  private:
    std::size_t m_expected = 0;
    std::vector<NotBackedUp> m_refused;
    std::vector<NotBackedUp> m_files;
};

// "All N files were <done>." or "M of N files were not <done>.": the first
// line of a backup's or a restore's verdict.
std::string CountLine(std::size_t files, std::size_t notDone, std::string_view done);

// "All N files were backed up." or "M of N files were not backed up."; for a
// run that was stopped, which never says "All": "The backup was stopped
// before it finished: N files checked, M not backed up."
std::string FirstLine(const Verdict& verdict);

// Each file not backed up (its source path) with its reason, in the
// verdict's order.
std::vector<FileReason> NotBackedUpList(const Verdict& verdict);

// A report: its first line, then one line per file: its path, a tab, the
// reason. "\n" line ends, which the store writes as CR LF.
std::string ReportLines(const std::string& firstLine, const std::vector<FileReason>& files);

// The report of a backup's verdict.
std::string ReportText(const Verdict& verdict);

} // namespace companions
