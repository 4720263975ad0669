#pragma once

#include "platform/file_port.h"

#include <optional>
#include <string>
#include <vector>

namespace flows
{

// Why a file is not backed up, as a report line gives it.
inline constexpr const char* kMissing = "missing";
inline constexpr const char* kOlderThanSource = "older than the source";
inline constexpr const char* kSizeDiffers = "size differs";
inline constexpr const char* kSourceNotFound = "source not found";
inline constexpr const char* kCannotCarry =
    "Its name holds characters that the backup script cannot carry";

// Why the copy does not back up the source, or nullptr when it does: it
// exists, has the source's size and is not older than the source by more
// than 2 seconds, since FAT keeps times to 2 seconds.
const char* ReasonNotBackedUp(const platform::FileFacts& source,
                              const std::optional<platform::FileFacts>& copy);

struct NotBackedUp
{
    // As the user wrote the source, with the file's path below it.
    std::string path;
    const char* reason;
};

struct RunReport
{
    // Every file the run should back up; a source that is not there counts
    // as one, so that an unplugged drive is never "All 0 files".
    size_t fileCount = 0;
    std::vector<NotBackedUp> notBackedUp;
    // The run ended before it had been through every file.
    bool stoppedEarly = false;

    // What the user must be shown when the run could not show it itself.
    bool HasBadNews() const { return stoppedEarly || !notBackedUp.empty(); }
};

// "All N files were backed up." or "M of N files were not backed up.", a line
// saying that the run was stopped, then "path<TAB>reason" for each file not
// backed up; "\n" line ends, which the store writes as CR LF.
std::string ReportText(const RunReport& report);

// The local time a run started at, which names its report.
struct LocalTime
{
    int year, month, day, hour, minute, second;
};

// One run's report, kept in "<destination>\Corvane Backup reports" and in the
// user's profile, under one name: "YYYY-MM-DD HH-MM-SS.txt", with " (2)",
// " (3)", ... for a second run in the same second. It may be written again
// as the run goes on.
class ReportFile
{
  public:
    // `profileFolder` is the agent's folder in %LOCALAPPDATA%.
    ReportFile(const LocalTime& started, const std::string& destination,
               const std::string& profileFolder);

    const std::string& Name() const { return m_name; }
    bool WriteToProfile(const RunReport& report) const;
    // The destination may be unplugged: then only the profile keeps the report.
    bool WriteToDestination(const RunReport& report) const;

  private:
    std::string m_destinationFolder;
    std::string m_profileFolder;
    std::string m_name;
};

// Reports whose bad news the user has not seen yet, kept in the profile:
// shown at the next log-on.
void KeepToShow(const std::string& profileFolder, const std::string& reportName);
void MarkShown(const std::string& profileFolder, const std::string& reportName);
// The full paths of the reports to show, oldest first.
std::vector<std::string> ReportsToShow(const std::string& profileFolder);

} // namespace flows
