#pragma once

#include "companions/file_reason.h"

#include <cstddef>
#include <string>
#include <vector>

namespace restore
{

// Why a file was not restored.
enum class RestoreShortfall
{
    // The copy is gone from the backup (or never was there).
    NoCopy,
    CannotWrite,
    // Another program holds the file at the place restored to open.
    InUse,
    Skipped,
    // The copy is a link (or lies beyond one): never followed.
    IsLink,
};

// "the backup holds no copy", "cannot be written", "in use", "skipped", "is
// a link".
const char* RestoreReasonText(RestoreShortfall shortfall);

struct NotRestored
{
    // Where the file was to be restored to.
    std::string path;
    RestoreShortfall reason = RestoreShortfall::NoCopy;
};

struct RestoreVerdict
{
    // Every file the restore was asked for, a copy that is gone counting as one.
    std::size_t files = 0;
    // In the order the files were restored.
    std::vector<NotRestored> notRestored;

    bool AllRestored() const { return notRestored.empty(); }
};

// "All N files were restored." or "M of N files were not restored."
std::string RestoreFirstLine(const RestoreVerdict& verdict);

// Each file not restored with its reason, in the verdict's order.
std::vector<companions::FileReason> NotRestoredList(const RestoreVerdict& verdict);

// The first line, then one line per file not restored: its path, a tab, the
// reason. "\n" line ends, which the report writes as CR LF.
std::string RestoreReportText(const RestoreVerdict& verdict);

} // namespace restore
