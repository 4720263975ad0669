#pragma once

#include "companions/verdict.h"
#include "model/shell.h"
#include "platform/file_tree.h"

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

namespace companions
{

// What a report in UTF-8 begins with; one without it is ANSI, as earlier
// versions wrote them.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// "<localAppData>\Corvane Backup", where the companions keep what they must
// remember for the user; empty without a profile.
std::string ProfileFolder(const std::string& localAppData);

// A list kept in the profile folder under `name`, one line each, and
// replaced whole (an empty one removed). Without a profile there is none:
// nothing is read or written elsewhere.
std::vector<std::string> ReadProfileList(const std::string& localAppData, const std::string& name,
                                         platform::FileTree& files);
bool WriteProfileList(const std::string& localAppData, const std::string& name,
                      const std::vector<std::string>& lines, platform::FileTree& files);

// What begins the name of a restore's report.
inline constexpr std::string_view kRestoreReportKind = "restore ";

// "2026-03-04 05-06-07.txt" for a run that started then (local time); the
// second report of that second is "2026-03-04 05-06-07 (2).txt", and so on.
// A `suffix` follows the time: "2026-03-04 05-06-07 catch-up.txt".
std::string ReportName(const std::tm& start, int number, std::string_view suffix = {});

// One run's report, kept in "<destination>\Corvane Backup reports" and, so
// that a verdict outlives an unplugged destination, in
// "<localAppData>\Corvane Backup\reports", under one name free in both. An
// empty destination has no report of its own (the name alone would lead to
// the drive's root); an empty localAppData has none in the profile. Reports
// whose bad news the user has not seen yet are listed in the profile and
// shown at the next log-on.
class ReportPublisher
{
  public:
    // `kind` begins the name of a report that is no backup's ("restore "),
    // `suffix` ends that of a backup of another kind (" catch-up").
    ReportPublisher(platform::FileTree& files, const std::tm& start, const std::string& destination,
                    const std::string& localAppData, std::string_view kind = {},
                    std::string_view suffix = {});

    const std::string& Name() const { return m_name; }

    // What a run that may yet be cut short knows so far: in the profile only,
    // kept to be shown, so that it remains should the run never end.
    void Interim(const Verdict& verdict);

    // The run's verdict, written whole into both places. It is kept to be
    // shown at the next log-on when it has bad news or the destination could
    // not take it, unless `shownNow`: the monitor's window shows it itself.
    // Returns the paths written, the destination's first.
    std::vector<std::string> Final(const Verdict& verdict, bool shownNow);

    // A report its run shows itself (a restore's): written whole into both
    // places, never kept to be shown. Returns the paths written.
    std::vector<std::string> Shown(const std::string& text);

    // News that is no run's verdict (an agent that could not start, say),
    // "\n" line ends: in the profile only, kept to be shown. Returns the path
    // written, empty when none was.
    std::string Notice(const std::string& text);

  private:
    std::vector<std::string> WriteBoth(const std::string& text, bool& reachedDestination);
    std::string WriteInto(const std::string& root, const std::string& folder,
                          const std::string& text);

    platform::FileTree& m_files;
    std::string m_destination;
    std::string m_destinationFolder;
    std::string m_profileFolder;
    std::string m_localAppData;
    std::string m_name;
};

// The full paths of the reports to show, oldest first; a restore's report
// never is one.
std::vector<std::string> ReportsToShow(const std::string& localAppData, platform::FileTree& files);
// Opens each report to show, oldest first; one that opened is shown.
void ShowKeptReports(const std::string& localAppData, Shell& shell, platform::FileTree& files);

} // namespace companions
