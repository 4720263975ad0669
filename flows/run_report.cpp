#include "flows/run_report.h"

#include "plan/path_text.h"
#include "platform/file_system.h"
#include "store/store_file.h"
#include "store/store_formats.h"

#include <algorithm>
#include <cstdio>

namespace flows
{
namespace
{

constexpr const char* kDestinationReports = "Corvane Backup reports";
constexpr const char* kProfileReports = "reports";
// One report name a line, kept as the source list keeps its entries.
constexpr const char* kToShowList = "reports to show";

bool WriteReport(const std::string& folder, const std::string& name, const RunReport& report)
{
    return platform::MakeFolders(folder) &&
           store::TruncateWrite(JoinPath(folder, name), ReportText(report));
}

} // namespace

const char* ReasonNotBackedUp(const platform::FileFacts& source,
                              const std::optional<platform::FileFacts>& copy)
{
    if (!copy || copy->isFolder)
        return kMissing;
    if (copy->writeTime < source.writeTime - 2 * platform::kTicksPerSecond)
        return kOlderThanSource;
    if (copy->size != source.size)
        return kSizeDiffers;
    return nullptr;
}

std::string ReportText(const RunReport& report)
{
    const std::string count = std::to_string(report.fileCount);
    std::string text = report.notBackedUp.empty()
                           ? "All " + count + " files were backed up.\n"
                           : std::to_string(report.notBackedUp.size()) + " of " + count +
                                 " files were not backed up.\n";
    if (report.stoppedEarly)
        text += "The backup was stopped before its end.\n";
    for (const NotBackedUp& file : report.notBackedUp)
        text.append(file.path).append("\t").append(file.reason).append("\n");
    return text;
}

ReportFile::ReportFile(const LocalTime& started, const std::string& destination,
                       const std::string& profileFolder)
    : m_destinationFolder(JoinPath(destination, kDestinationReports)),
      m_profileFolder(JoinPath(profileFolder, kProfileReports))
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", started.year, started.month,
                  started.day, started.hour, started.minute, started.second);
    for (int n = 1;; ++n)
    {
        m_name = std::string(stamp) + (n > 1 ? " (" + std::to_string(n) + ")" : "") + ".txt";
        if (!store::TestRead(JoinPath(m_destinationFolder, m_name)) &&
            !store::TestRead(JoinPath(m_profileFolder, m_name)))
            break;
    }
}

bool ReportFile::WriteToProfile(const RunReport& report) const
{
    return WriteReport(m_profileFolder, m_name, report);
}

bool ReportFile::WriteToDestination(const RunReport& report) const
{
    return WriteReport(m_destinationFolder, m_name, report);
}

void KeepToShow(const std::string& profileFolder, const std::string& reportName)
{
    const std::string list = JoinPath(profileFolder, kToShowList);
    std::vector<std::string> names = store::ParseSourceList(store::ReadIfPresent(list));
    if (std::find(names.begin(), names.end(), reportName) != names.end())
        return;
    names.push_back(reportName);
    platform::MakeFolders(profileFolder);
    store::TruncateWrite(list, store::FormatSourceList(names));
}

void MarkShown(const std::string& profileFolder, const std::string& reportName)
{
    const std::string list = JoinPath(profileFolder, kToShowList);
    std::vector<std::string> names = store::ParseSourceList(store::ReadIfPresent(list));
    names.erase(std::remove(names.begin(), names.end(), reportName), names.end());
    if (names.empty())
        store::Delete(list);
    else
        store::TruncateWrite(list, store::FormatSourceList(names));
}

std::vector<std::string> ReportsToShow(const std::string& profileFolder)
{
    std::vector<std::string> paths;
    for (const std::string& name :
         store::ParseSourceList(store::ReadIfPresent(JoinPath(profileFolder, kToShowList))))
    {
        const std::string path = JoinPath(JoinPath(profileFolder, kProfileReports), name);
        // A report the user deleted meanwhile has nothing left to show.
        if (store::TestRead(path))
            paths.push_back(path);
    }
    return paths;
}

} // namespace flows
