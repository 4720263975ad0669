#pragma once

#include "flows/verdict.h"
#include "model/shell.h"

#include <ctime>
#include <string>
#include <vector>

namespace flows
{

// "2026-03-04 05-06-07.txt" for a run that started then (local time); the
// second report of that second is "2026-03-04 05-06-07 (2).txt", and so on.
std::string ReportName(const std::tm& start, int number);

// One run's report, kept in "<destination>\Corvane Backup reports" and, so
// that a verdict outlives an unplugged destination, in
// "<localAppData>\Corvane Backup\reports", under one name free in both. An
// empty destination has no report of its own (the name alone would lead to
// the drive's root); an empty localAppData has none in the profile. It may
// be written again as the run goes on.
class ReportFile
{
  public:
    ReportFile(const std::tm& start, const std::string& destination,
               const std::string& localAppData);

    const std::string& Name() const { return m_name; }
    // The path written, or an empty one.
    std::string WriteToDestination(const Verdict& verdict) const;
    std::string WriteToProfile(const Verdict& verdict) const;

  private:
    std::string m_destination;
    std::string m_destinationFolder;
    std::string m_profileFolder;
    std::string m_name;
};

// Writes the report whole into both places. Returns the paths written, the
// destination's first.
std::vector<std::string> WriteReport(const Verdict& verdict, const std::tm& start,
                                     const std::string& destination,
                                     const std::string& localAppData);

// Reports whose bad news the user has not seen yet, listed in the profile:
// shown at the next log-on.
void KeepToShow(const std::string& localAppData, const std::string& reportName);
void MarkShown(const std::string& localAppData, const std::string& reportName);
// The full paths of the reports to show, oldest first.
std::vector<std::string> ReportsToShow(const std::string& localAppData);
// Opens each report to show, oldest first; one that opened is shown.
void ShowKeptReports(const std::string& localAppData, Shell& shell);

} // namespace flows
