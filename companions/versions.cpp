#include "companions/versions.h"

#include "companions/date_stamp.h"
#include "model/backup_folders.h"
#include "platform/local_time.h"
#include "platform/path_text.h"
#include "platform/unfinished_copy.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>

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

// One listing of a copy's version folder: the copy's versions, newest first
// by their own last-write time (names repeat where the clock goes back an
// hour), and the folded names of every entry a new version's name could meet.
struct VersionFolderLook
{
    std::string folder;
    std::string name;
    std::vector<Version> versions;
    std::vector<std::string> taken;
};

VersionFolderLook LookAtVersions(const std::string& destination, const std::string& copyPath,
                                 platform::FileTree& files)
{
    VersionFolderLook look;
    std::tie(look.folder, look.name) = FolderAndName(destination, copyPath);
    const std::string folded = files.FoldCase(look.name);
    // Every version name begins with the copy's name up to its extension and " (".
    const std::string prefix = look.name.substr(0, ExtensionStart(look.name)) + " (";
    files.ListStartingWith(
        look.folder, prefix, [&](std::string_view entry, const platform::FileFacts& facts) {
            if (!facts.isFolder && files.FoldCase(CopyNameOfVersion(entry)) == folded)
                look.versions.push_back(
                    {platform::JoinPath(look.folder, entry), facts.size, facts.lastWrite});
            look.taken.push_back(files.FoldCase(std::string(entry)));
        });
    std::stable_sort(look.versions.begin(), look.versions.end(),
                     [](const Version& a, const Version& b) { return a.lastWrite > b.lastWrite; });
    return look;
}

// The first version name, numbered from 1 on, that no entry of the listing
// holds, for a copy written at `written`.
std::string FreeVersionName(const VersionFolderLook& look, platform::FileTime written,
                            platform::FileTree& files)
{
    const std::string stamp = DateTimeStamp(platform::LocalTimeOf(written));
    for (int number = 1;; ++number)
    {
        std::string name = NameWithTag(look.name, stamp, number);
        if (std::find(look.taken.begin(), look.taken.end(), files.FoldCase(name)) ==
            look.taken.end())
            return platform::JoinPath(look.folder, name);
    }
}

// Deletes the versions, newest first, that the retention does not keep.
void Retain(const std::vector<Version>& versions, const std::tm& today, platform::FileTree& files)
{
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

// The copy at `copyPath`, known to be missing, is put back from its newest
// version where its temporary shows it was caught in its swap: true then.
bool PutBackKnownMissing(const std::string& destination, const std::string& copyPath,
                         platform::FileTree& files)
{
    const std::string temporary = platform::UnfinishedCopyOf(copyPath);
    if (!files.IsFile(temporary))
        return false;
    const std::vector<Version> versions = LookAtVersions(destination, copyPath, files).versions;
    if (versions.empty() || !files.Rename(versions.front().path, copyPath))
        return false;
    files.Remove(temporary);
    return true;
}

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
    return FreeVersionName(LookAtVersions(destination, copyPath, files), written, files);
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
    return LookAtVersions(destination, copyPath, files).versions;
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
    if (!files.Facts(copyPath))
        PutBackKnownMissing(destination, copyPath, files);
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
    std::optional<platform::FileFacts> old = files.Facts(copyPath);
    if (!old && PutBackKnownMissing(destination, copyPath, files))
        old = files.Facts(copyPath);
    // No copy yet, or a folder in its place (which the copy then fails on):
    // there is nothing to keep. Else one listing of the version folder
    // names the old copy's version and tells the retention what else it kept.
    VersionFolderLook look;
    std::string keepAs;
    if (old && !old->isFolder)
    {
        look = LookAtVersions(destination, copyPath, files);
        keepAs = FreeVersionName(look, old->lastWrite, files);
    }
    // Without its folder the old copy has nowhere to go.
    std::unique_ptr<platform::HeldFolders> versionFolder;
    if (!keepAs.empty() && !(versionFolder = files.MakeFoldersBelow(destination, look.folder)))
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
    if (keepAs.empty())
        return VersionedCopy::Copied;
    // The old copy, renamed, is the version: its size and time as read above.
    std::vector<Version>& versions = look.versions;
    versions.insert(std::upper_bound(versions.begin(), versions.end(), old->lastWrite,
                                     [](platform::FileTime time, const Version& version) {
                                         return time > version.lastWrite;
                                     }),
                    Version{keepAs, old->size, old->lastWrite});
    // Up to the newest ten, every version stays whatever the day.
    if (versions.size() > kNewestKept)
        Retain(versions, platform::LocalTimeNow(), files);
    return VersionedCopy::Copied;
}

void ApplyRetention(const std::string& destination, const std::string& copyPath,
                    const std::tm& today, platform::FileTree& files)
{
    Retain(VersionsOf(destination, copyPath, files), today, files);
}

} // namespace companions
