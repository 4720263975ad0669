#include "companions/report.h"

#include "companions/date_stamp.h"
#include "model/backup_folders.h"
#include "platform/file_tree.h"
#include "platform/path_code.h"
#include "platform/path_text.h"
#include "store/store_file.h"
#include "store/store_formats.h"

#include <algorithm>

namespace companions
{
namespace
{

// A report holds path text. UTF-8 begins with a byte-order mark, by which
// Notepad, on every Windows, tells it from the ANSI of earlier versions.
std::string ReportBytes(const std::string& text)
{
    return platform::ProcessPathCode() == platform::PathCode::Utf8 ? std::string(kUtf8Mark) + text
                                                                   : text;
}

std::string ProfileReports(const std::string& localAppData)
{
    return localAppData.empty() ? std::string()
                                : platform::JoinPath(ProfileFolder(localAppData), "reports");
}

// One report name a line.
constexpr const char* kToShowList = "reports to show";

void KeepToShow(platform::FileTree& files, const std::string& localAppData, const std::string& name)
{
    std::vector<std::string> names = ReadProfileList(localAppData, kToShowList, files);
    if (std::find(names.begin(), names.end(), name) != names.end())
        return;
    names.push_back(name);
    WriteProfileList(localAppData, kToShowList, names, files);
}

void MarkShown(platform::FileTree& files, const std::string& localAppData, const std::string& name)
{
    std::vector<std::string> names = ReadProfileList(localAppData, kToShowList, files);
    const auto kept = std::remove(names.begin(), names.end(), name);
    if (kept == names.end())
        return;
    names.erase(kept, names.end());
    WriteProfileList(localAppData, kToShowList, names, files);
}

} // namespace

std::string ProfileFolder(const std::string& localAppData)
{
    return localAppData.empty() ? std::string()
                                : platform::JoinPath(localAppData, "Corvane Backup");
}

std::vector<std::string> ReadProfileList(const std::string& localAppData, const std::string& name,
                                         platform::FileTree& files)
{
    if (localAppData.empty())
        return {};
    return store::ParseSourceList(
        store::ReadIfPresent(platform::JoinPath(ProfileFolder(localAppData), name), files));
}

bool WriteProfileList(const std::string& localAppData, const std::string& name,
                      const std::vector<std::string>& lines, platform::FileTree& files)
{
    if (localAppData.empty())
        return false;
    const std::string list = platform::JoinPath(ProfileFolder(localAppData), name);
    if (lines.empty())
        return store::Delete(list, files);
    // Held until the list is in place: no link swapped in on the way.
    const std::unique_ptr<platform::HeldFolders> held =
        files.MakeFoldersBelow(localAppData, ProfileFolder(localAppData));
    return held && store::ReplaceWithText(list, store::FormatSourceList(lines), files);
}

std::string ReportName(const std::tm& start, int number, std::string_view suffix)
{
    std::string text = DateTimeStamp(start) + std::string(suffix);
    if (number > 1)
        text += " (" + std::to_string(number) + ")";
    return text + ".txt";
}

ReportPublisher::ReportPublisher(platform::FileTree& files, const std::tm& start,
                                 const std::string& destination, const std::string& localAppData,
                                 std::string_view kind, std::string_view suffix)
    : m_files(files), m_destination(destination),
      m_destinationFolder(destination.empty() ? std::string()
                                              : platform::JoinPath(destination, kReportsFolder)),
      m_profileFolder(ProfileReports(localAppData)), m_localAppData(localAppData)
{
    const auto taken = [this](const std::string& folder) {
        return !folder.empty() && m_files.Facts(platform::JoinPath(folder, m_name));
    };
    for (int number = 1;; ++number)
    {
        m_name = std::string(kind) + ReportName(start, number, suffix);
        if (!taken(m_destinationFolder) && !taken(m_profileFolder))
            break;
    }
}

std::string ReportPublisher::WriteInto(const std::string& root, const std::string& folder,
                                       const std::string& text)
{
    const std::string path = platform::JoinPath(folder, m_name);
    // The monitor runs elevated and writes where an unelevated program may
    // have planted a link: no folder below the root is followed, nor swapped
    // for a link before the report is in place.
    const std::unique_ptr<platform::HeldFolders> held =
        folder.empty() ? nullptr : m_files.MakeFoldersBelow(root, folder);
    if (!held || !store::ReplaceWithText(path, ReportBytes(text), m_files))
        return {};
    return path;
}

void ReportPublisher::Interim(const Verdict& verdict)
{
    WriteInto(m_localAppData, m_profileFolder, ReportText(verdict));
    KeepToShow(m_files, m_localAppData, m_name);
}

std::string ReportPublisher::Notice(const std::string& text)
{
    std::string path = WriteInto(m_localAppData, m_profileFolder, text);
    if (!path.empty())
        KeepToShow(m_files, m_localAppData, m_name);
    return path;
}

std::vector<std::string> ReportPublisher::WriteBoth(const std::string& text,
                                                    bool& reachedDestination)
{
    std::vector<std::string> written;
    // The folder of an unplugged drive must not appear on the drive that
    // took its letter.
    if (m_files.IsFolder(m_destination))
    {
        if (std::string path = WriteInto(m_destination, m_destinationFolder, text); !path.empty())
            written.push_back(std::move(path));
    }
    reachedDestination = !written.empty();
    if (std::string path = WriteInto(m_localAppData, m_profileFolder, text); !path.empty())
        written.push_back(std::move(path));
    return written;
}

std::vector<std::string> ReportPublisher::Shown(const std::string& text)
{
    bool reachedDestination = false;
    return WriteBoth(text, reachedDestination);
}

std::vector<std::string> ReportPublisher::Final(const Verdict& verdict, bool shownNow)
{
    bool reachedDestination = false;
    std::vector<std::string> written = WriteBoth(ReportText(verdict), reachedDestination);
    if (shownNow || (reachedDestination && !verdict.HasBadNews()))
        MarkShown(m_files, m_localAppData, m_name);
    else
        KeepToShow(m_files, m_localAppData, m_name);
    return written;
}

std::vector<std::string> ReportsToShow(const std::string& localAppData, platform::FileTree& files)
{
    std::vector<std::string> paths;
    for (const std::string& name : ReadProfileList(localAppData, kToShowList, files))
    {
        if (name.rfind(kRestoreReportKind, 0) == 0)
            continue;
        const std::string path = platform::JoinPath(ProfileReports(localAppData), name);
        // A report the user deleted meanwhile has nothing left to show.
        if (store::TestRead(path, files))
            paths.push_back(path);
    }
    return paths;
}

void ShowKeptReports(const std::string& localAppData, Shell& shell, platform::FileTree& files)
{
    for (const std::string& path : ReportsToShow(localAppData, files))
    {
        if (shell.Start(path, kShowNormal))
            MarkShown(files, localAppData, std::string(platform::LastComponent(path)));
    }
}

} // namespace companions
