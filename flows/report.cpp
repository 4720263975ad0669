#include "flows/report.h"

#include "platform/file_tree.h"
#include "store/store_file.h"

#include <cstdio>

namespace flows
{

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

std::vector<std::string> WriteReport(const Verdict& verdict, const std::tm& start,
                                     const std::string& destination,
                                     const std::string& localAppData)
{
    std::vector<std::string> folders;
    const std::string ownFolder = JoinPath(destination, "Corvane Backup reports");
    // Without a destination the name alone would lead to the drive's root.
    if (!destination.empty() && platform::MakeFolder(ownFolder))
        folders.push_back(ownFolder);
    if (!localAppData.empty())
    {
        const std::string programFolder = JoinPath(localAppData, "Corvane Backup");
        const std::string profileFolder = JoinPath(programFolder, "reports");
        if (platform::MakeFolder(programFolder) && platform::MakeFolder(profileFolder))
            folders.push_back(profileFolder);
    }

    // One name for both copies, free in both folders.
    const auto taken = [&](int number) {
        for (const std::string& folder : folders)
        {
            if (platform::FactsOf(JoinPath(folder, ReportName(start, number))))
                return true;
        }
        return false;
    };
    int number = 1;
    while (taken(number))
        ++number;
    std::vector<std::string> written;
    const std::string text = ReportText(verdict);
    for (const std::string& folder : folders)
    {
        const std::string path = JoinPath(folder, ReportName(start, number));
        if (store::TruncateWrite(path, text))
            written.push_back(path);
    }
    return written;
}

} // namespace flows
