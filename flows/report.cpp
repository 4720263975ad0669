#include "flows/report.h"

#include "platform/file_tree.h"
#include "platform/path_text.h"
#include "store/store_file.h"
#include "store/store_formats.h"

#include <algorithm>
#include <cstdio>

namespace flows
{
namespace
{

std::string ProgramFolder(const std::string& localAppData)
{
    return localAppData.empty() ? std::string()
                                : platform::JoinPath(localAppData, "Corvane Backup");
}

std::string ProfileReports(const std::string& localAppData)
{
    return localAppData.empty() ? std::string()
                                : platform::JoinPath(ProgramFolder(localAppData), "reports");
}

// One report name a line, kept as the source list keeps its entries.
std::string ToShowList(const std::string& localAppData)
{
    return platform::JoinPath(ProgramFolder(localAppData), "reports to show");
}

// Without a profile there is no list: nothing is read or written elsewhere.
std::vector<std::string> NamesToShow(const std::string& localAppData)
{
    if (localAppData.empty())
        return {};
    return store::ParseSourceList(store::ReadIfPresent(ToShowList(localAppData)));
}

std::string WriteInto(const std::string& folder, const std::string& name, const Verdict& verdict)
{
    const std::string path = platform::JoinPath(folder, name);
    if (folder.empty() || !platform::MakeFolders(folder) ||
        !store::TruncateWrite(path, ReportText(verdict)))
        return {};
    return path;
}

} // namespace

std::string ReportName(const std::tm& start, int number)
{
    char name[64];
    std::snprintf(name, sizeof name, "%04d-%02d-%02d %02d-%02d-%02d", start.tm_year + 1900,
                  start.tm_mon + 1, start.tm_mday, start.tm_hour, start.tm_min, start.tm_sec);
    std::string text = name;
    if (number > 1)
        text += " (" + std::to_string(number) + ")";
    return text + ".txt";
}

ReportFile::ReportFile(const std::tm& start, const std::string& destination,
                       const std::string& localAppData)
    : m_destination(destination),
      m_destinationFolder(destination.empty()
                              ? std::string()
                              : platform::JoinPath(destination, "Corvane Backup reports")),
      m_profileFolder(ProfileReports(localAppData))
{
    const auto taken = [this](const std::string& folder) {
        return !folder.empty() && platform::FactsOf(platform::JoinPath(folder, m_name));
    };
    for (int number = 1;; ++number)
    {
        m_name = ReportName(start, number);
        if (!taken(m_destinationFolder) && !taken(m_profileFolder))
            break;
    }
}

std::string ReportFile::WriteToDestination(const Verdict& verdict) const
{
    // The folder of an unplugged drive must not appear on the drive that
    // took its letter.
    const std::optional<platform::FileFacts> destination = platform::FactsOf(m_destination);
    if (!destination || !destination->isFolder)
        return {};
    return WriteInto(m_destinationFolder, m_name, verdict);
}

std::string ReportFile::WriteToProfile(const Verdict& verdict) const
{
    return WriteInto(m_profileFolder, m_name, verdict);
}

std::vector<std::string> WriteReport(const Verdict& verdict, const std::tm& start,
                                     const std::string& destination,
                                     const std::string& localAppData)
{
    const ReportFile file(start, destination, localAppData);
    std::vector<std::string> written;
    for (std::string path : {file.WriteToDestination(verdict), file.WriteToProfile(verdict)})
    {
        if (!path.empty())
            written.push_back(std::move(path));
    }
    return written;
}

void KeepToShow(const std::string& localAppData, const std::string& reportName)
{
    std::vector<std::string> names = NamesToShow(localAppData);
    if (localAppData.empty() || std::find(names.begin(), names.end(), reportName) != names.end())
        return;
    names.push_back(reportName);
    platform::MakeFolders(ProgramFolder(localAppData));
    store::TruncateWrite(ToShowList(localAppData), store::FormatSourceList(names));
}

void MarkShown(const std::string& localAppData, const std::string& reportName)
{
    std::vector<std::string> names = NamesToShow(localAppData);
    const auto kept = std::remove(names.begin(), names.end(), reportName);
    if (kept == names.end())
        return;
    names.erase(kept, names.end());
    const std::string list = ToShowList(localAppData);
    if (names.empty())
        store::Delete(list);
    else
        store::TruncateWrite(list, store::FormatSourceList(names));
}

std::vector<std::string> ReportsToShow(const std::string& localAppData)
{
    std::vector<std::string> paths;
    for (const std::string& name : NamesToShow(localAppData))
    {
        const std::string path = platform::JoinPath(ProfileReports(localAppData), name);
        // A report the user deleted meanwhile has nothing left to show.
        if (store::TestRead(path))
            paths.push_back(path);
    }
    return paths;
}

void ShowKeptReports(const std::string& localAppData, Shell& shell)
{
    for (const std::string& path : ReportsToShow(localAppData))
    {
        if (shell.Start(path, kShowNormal))
            MarkShown(localAppData, std::string(platform::LastComponent(path)));
    }
}

} // namespace flows
