#include "companions/versions.h"

#include "companions/date_stamp.h"
#include "model/backup_folders.h"
#include "platform/local_time.h"
#include "platform/path_text.h"
#include "platform/unfinished_copy.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace companions
{
namespace
{

// " (YYYY-MM-DD HH-MM-SS)": the stamp's length and its digits' places.
constexpr std::string_view kStampPattern = " (0000-00-00 00-00-00)";

// Where the extension begins: at the name's last "." but for a name that
// begins with its only one (".profile" has none), as the shell reads names.
size_t ExtensionStart(std::string_view name)
{
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? name.size() : dot;
}

bool IsStampAt(std::string_view name, size_t at)
{
    if (at + kStampPattern.size() > name.size())
        return false;
    for (size_t i = 0; i < kStampPattern.size(); ++i)
    {
        const char c = name[at + i];
        const bool matches = kStampPattern[i] == '0'
                                 ? std::isdigit(static_cast<unsigned char>(c)) != 0
                                 : c == kStampPattern[i];
        if (!matches)
            return false;
    }
    return true;
}

// Whether the text is " (N)", N from 2 up, or empty.
bool IsNumberOrNothing(std::string_view text)
{
    if (text.empty())
        return true;
    if (text.size() < 4 || text.substr(0, 2) != " (" || text.back() != ')' || text[2] == '0' ||
        (text.size() == 4 && text[2] == '1'))
        return false;
    return std::all_of(text.begin() + 2, text.end() - 1,
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// The copy's folder and name: where its versions lie and what they are called.
std::pair<std::string, std::string> FolderAndName(const std::string& destination,
                                                  const std::string& copyPath)
{
    return {VersionFolderOf(destination, copyPath), std::string(platform::LastComponent(copyPath))};
}

// Days counted on the calendar, so that two dates' difference is their
// distance in days whatever the hours.
long DayNumber(const std::tm& date)
{
    const long year = date.tm_year + 1900 - (date.tm_mon < 2 ? 1 : 0);
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long month = date.tm_mon + 1;
    const long dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + date.tm_mday - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

constexpr size_t kNewestKept = 10;
// Each of these days keeps its newest version. The newest older than a week
// is kept with them, or, when none of them has one, it is the newest older
// than a month, which the last rule keeps.
constexpr long kDaysKept = 30;
constexpr long kMonth = 30;

} // namespace

std::string NameWithTag(std::string_view name, std::string_view tag, int number)
{
    const size_t extension = ExtensionStart(name);
    std::string tagged(name.substr(0, extension));
    tagged.append(" (").append(tag).append(")");
    if (number > 1)
        tagged += " (" + std::to_string(number) + ")";
    tagged += name.substr(extension);
    return tagged;
}

std::string FreeTaggedPath(std::string_view folder, std::string_view name, std::string_view tag,
                           platform::FileTree& files)
{
    for (int number = 1;; ++number)
    {
        std::string path = platform::JoinPath(folder, NameWithTag(name, tag, number));
        if (!files.Facts(path))
            return path;
    }
}

std::string VersionFolderOf(const std::string& destination, const std::string& copyPath)
{
    const size_t lastSeparator = platform::FindLastSeparator(copyPath);
    const std::string_view folders =
        lastSeparator == std::string::npos
            ? std::string_view()
            : platform::PathBelow(std::string_view(copyPath).substr(0, lastSeparator), destination);
    const std::string versions = platform::JoinPath(destination, kVersionsFolder);
    return folders.empty() ? versions : platform::JoinPath(versions, folders);
}

std::string CopyNameOfVersion(std::string_view versionName)
{
    // The last stamp counts: a copy's own name may hold one.
    for (size_t at = versionName.rfind(" ("); at != std::string_view::npos && at > 0;
         at = versionName.rfind(" (", at - 1))
    {
        if (!IsStampAt(versionName, at))
            continue;
        const std::string_view rest = versionName.substr(at + kStampPattern.size());
        const size_t extension = rest.find('.');
        const std::string_view number = rest.substr(0, extension);
        const std::string_view ending =
            extension == std::string_view::npos ? std::string_view() : rest.substr(extension);
        if (!IsNumberOrNothing(number) || ending.find('.', 1) != std::string_view::npos)
            return {};
        std::string name(versionName.substr(0, at));
        name += ending;
        // The name read back must have been written so: "a (stamp).b.c" is none.
        if (ExtensionStart(name) != at)
            return {};
        return name;
    }
    return {};
}

std::string FreeVersionPath(const std::string& destination, const std::string& copyPath,
                            platform::FileTime written, platform::FileTree& files)
{
    const auto [folder, name] = FolderAndName(destination, copyPath);
    return FreeTaggedPath(folder, name, DateTimeStamp(platform::LocalTimeOf(written)), files);
}

std::string NextVersionPath(const std::string& destination, const std::string& copyPath,
                            platform::FileTree& files)
{
    const std::optional<platform::FileFacts> facts = files.Facts(copyPath);
    if (!facts || facts->isFolder)
        return {};
    return FreeVersionPath(destination, copyPath, facts->lastWrite, files);
}

std::vector<Version> VersionsOf(const std::string& destination, const std::string& copyPath,
                                platform::FileTree& files)
{
    // Named, not bound: a lambda may not take a structured binding in C++17.
    const std::pair<std::string, std::string> folderAndName = FolderAndName(destination, copyPath);
    const std::string& folder = folderAndName.first;
    const std::string& name = folderAndName.second;
    const std::string folded = files.FoldCase(name);
    std::vector<Version> versions;
    // Every version name begins with the copy's name up to its extension and " (".
    const std::string prefix = name.substr(0, ExtensionStart(name)) + " (";
    files.ListStartingWith(
        folder, prefix, [&](std::string_view entry, const platform::FileFacts& facts) {
            if (!facts.isFolder && files.FoldCase(CopyNameOfVersion(entry)) == folded)
                versions.push_back(
                    {platform::JoinPath(folder, entry), facts.size, facts.lastWrite});
        });
    std::stable_sort(versions.begin(), versions.end(),
                     [](const Version& a, const Version& b) { return a.lastWrite > b.lastWrite; });
    return versions;
}

std::vector<VersionCount> CountVersions(const std::string& versionFolder, platform::FileTree& files)
{
    // By the name as the file system compares it, spelt as first seen.
    std::map<std::string, VersionCount> counts;
    files.List(versionFolder, [&](std::string_view entry, const platform::FileFacts& facts) {
        std::string name = facts.isFolder ? std::string() : CopyNameOfVersion(entry);
        if (name.empty())
            return;
        VersionCount& count = counts[files.FoldCase(name)];
        if (count.name.empty())
            count.name = std::move(name);
        ++count.count;
    });
    std::vector<VersionCount> result;
    for (auto& [folded, count] : counts)
        result.push_back(std::move(count));
    return result;
}

void PutBackMissingCopy(const std::string& destination, const std::string& copyPath,
                        platform::FileTree& files)
{
    const std::string temporary = platform::UnfinishedCopyOf(copyPath);
    if (files.Facts(copyPath) || !files.IsFile(temporary))
        return;
    const std::vector<Version> versions = VersionsOf(destination, copyPath, files);
    if (!versions.empty() && files.Rename(versions.front().path, copyPath))
        files.Remove(temporary);
}

VersionedCopy CopyKeepingVersion(const std::string& from, const std::string& destination,
                                 const std::string& copyPath, platform::FileTree& files)
{
    // The copy's folders are made below the destination only: one that went
    // away meanwhile is never made again, on whatever took its letter. A link
    // planted there is never followed, and the folders stay held until the
    // copy is in place.
    const std::unique_ptr<platform::HeldFolders> copyFolder =
        files.MakeFoldersBelow(destination, platform::ParentFolder(copyPath));
    if (!copyFolder)
        return VersionedCopy::Failed;
    PutBackMissingCopy(destination, copyPath, files);
    // No copy yet, or a folder in its place (which the copy then fails on):
    // there is nothing to keep.
    const std::string keepAs = NextVersionPath(destination, copyPath, files);
    // Without its folder the old copy has nowhere to go.
    std::unique_ptr<platform::HeldFolders> versionFolder;
    if (!keepAs.empty() && !(versionFolder = files.MakeFoldersBelow(
                                 destination, VersionFolderOf(destination, copyPath))))
        return VersionedCopy::NotKept;
    switch (files.Copy(from, copyPath, keepAs))
    {
    case platform::CopyResult::Copied:
        break;
    case platform::CopyResult::SourceBusy:
        return VersionedCopy::SourceBusy;
    case platform::CopyResult::NotKept:
        return VersionedCopy::NotKept;
    case platform::CopyResult::Failed:
    case platform::CopyResult::TargetBusy:
        return VersionedCopy::Failed;
    }
    if (!keepAs.empty())
        ApplyRetention(destination, copyPath, platform::LocalTimeNow(), files);
    return VersionedCopy::Copied;
}

void ApplyRetention(const std::string& destination, const std::string& copyPath,
                    const std::tm& today, platform::FileTree& files)
{
    const std::vector<Version> versions = VersionsOf(destination, copyPath, files);
    const long todayNumber = DayNumber(today);
    // Newest first: the first version met of a day, or past a limit, is the
    // one that day or limit keeps.
    std::vector<bool> dayTaken(kDaysKept + 1, false);
    bool monthTaken = false;
    for (size_t i = 0; i < versions.size(); ++i)
    {
        const long age = todayNumber - DayNumber(platform::LocalTimeOf(versions[i].lastWrite));
        bool keep = i < kNewestKept;
        if (age >= 1 && age <= kDaysKept && !dayTaken[age])
            keep = dayTaken[age] = true;
        if (age > kMonth && !monthTaken)
            keep = monthTaken = true;
        if (!keep)
            files.Remove(versions[i].path);
    }
}

} // namespace companions
