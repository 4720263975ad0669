#include "agent/copy_on_save.h"

#include "companions/verdict.h"
#include "companions/versions.h"
#include "model/backup_folders.h"
#include "platform/file_walk.h"
#include "platform/path_text.h"

#include <algorithm>
#include <set>

namespace agent
{
namespace
{

// A file's place in one source: the source, and the file's path below it.
struct Place
{
    const PlannedSource* source;
    std::string relative;
};

// A copy not yet whole, or a version of the backup's own in a folder the
// user picked, is no file of the user's, whatever the place.
bool IsBackupOwn(std::string_view relative, const platform::FileTree& files)
{
    if (platform::IsUnfinishedCopy(platform::LastComponent(relative)))
        return true;
    const std::string versions = files.FoldCase(kVersionsFolder);
    for (size_t separator = platform::FindFirstCharacterOf(relative, "\\/");
         separator != std::string_view::npos;
         separator = platform::FindFirstCharacterOf(relative, "\\/"))
    {
        if (files.FoldCase(std::string(relative.substr(0, separator))) == versions)
            return true;
        relative.remove_prefix(separator + 1);
    }
    return false;
}

std::vector<Place> PlacesOf(const companions::SavedPlan& saved, const std::string& path,
                            const platform::FileTree& files)
{
    // Compared as the file system compares names.
    const std::string upperPath = files.FoldCase(path);
    for (const std::string& excluded : saved.neverCopiedFrom)
    {
        const std::string upper = files.FoldCase(excluded);
        if (platform::IsAtOrBelowFolder(upperPath, upper))
            return {};
    }
    std::vector<Place> places;
    for (const PlannedSource& source : saved.plan.sources)
    {
        if (source.isSystemFolder)
            continue;
        const std::string upperSource = files.FoldCase(std::string(source.path));
        if (source.isFile && upperPath == upperSource)
            places.push_back({&source, std::string(platform::LastComponent(path))});
        else if (!source.isFile && platform::IsBelowFolder(upperPath, upperSource))
            places.push_back(
                {&source, path.substr(upperSource.size() +
                                      (platform::EndsWithSeparator(upperSource) ? 0 : 1))});
    }
    places.erase(
        std::remove_if(places.begin(), places.end(),
                       [&files](const Place& place) { return IsBackupOwn(place.relative, files); }),
        places.end());
    return places;
}

// Whether the file, or a folder between it and its source, is hidden.
bool HiddenOnTheWay(const Place& place, const std::string& path, platform::FileTree& files)
{
    std::optional<platform::FileFacts> facts = files.Facts(path);
    if (facts && facts->hidden)
        return true;
    std::string_view folder = place.relative;
    for (size_t separator = platform::FindLastSeparator(folder);
         separator != std::string_view::npos; separator = platform::FindLastSeparator(folder))
    {
        folder = folder.substr(0, separator);
        facts = files.Facts(platform::JoinPath(place.source->path, folder));
        if (facts && facts->hidden)
            return true;
    }
    return false;
}

// The file as a backup of it is judged.
companions::ExpectedFile Expected(const std::string& path, const platform::FileFacts& facts)
{
    companions::ExpectedFile file;
    file.sourcePath = path;
    file.size = facts.size;
    file.lastWrite = facts.lastWrite;
    return file;
}

} // namespace

bool MayCopySavedFile(const companions::SavedPlan& saved, const std::string& path,
                      const platform::FileTree& files)
{
    for (const Place& place : PlacesOf(saved, path, files))
    {
        for (const CopyStep& step : saved.plan.steps)
        {
            if (step.source == place.source &&
                step.CopiesName(platform::LastComponent(place.relative), false))
                return true;
        }
    }
    return false;
}

bool MayHoldSavedFiles(const companions::SavedPlan& saved, const std::string& path,
                       const platform::FileTree& files)
{
    const std::vector<Place> places = PlacesOf(saved, path, files);
    return std::any_of(places.begin(), places.end(),
                       [](const Place& place) { return !place.source->isFile; });
}

std::vector<std::string> CopiesOfSavedFile(const companions::SavedPlan& saved,
                                           const std::string& path, platform::FileTree& files)
{
    std::set<std::string> copies;
    for (const Place& place : PlacesOf(saved, path, files))
    {
        const bool hidden = HiddenOnTheWay(place, path, files);
        for (const CopyStep& step : saved.plan.steps)
        {
            if (step.source == place.source &&
                step.CopiesName(platform::LastComponent(place.relative), hidden))
                copies.insert(step.CopyPathOf(place.relative));
        }
    }
    return {copies.begin(), copies.end()};
}

SavedFileCopy CopySavedFile(const companions::SavedPlan& saved, const std::string& path,
                            platform::FileTree& files)
{
    const std::optional<platform::FileFacts> facts = files.Facts(path);
    if (!facts || facts->isFolder)
        return SavedFileCopy::NotCopied;
    const std::vector<std::string> copies = CopiesOfSavedFile(saved, path, files);
    if (copies.empty())
        return SavedFileCopy::NotCopied;
    if (!files.IsFolder(saved.selection.destination))
        return SavedFileCopy::Away;
    bool copied = false;
    bool kept = false;
    for (const std::string& copy : copies)
    {
        const companions::Shortfall shortfall =
            companions::Judge(Expected(path, *facts), files.Facts(copy));
        kept =
            kept || (shortfall != companions::Shortfall::None && !companions::NeedsCopy(shortfall));
        if (!companions::NeedsCopy(shortfall))
            continue;
        switch (companions::CopyKeepingVersion(path, saved.plan.destination, copy, files))
        {
        case companions::VersionedCopy::SourceBusy:
            return SavedFileCopy::Busy;
        case companions::VersionedCopy::Failed:
            // The destination went away meanwhile: the file waits for it.
            return files.IsFolder(saved.selection.destination) ? SavedFileCopy::Failed
                                                               : SavedFileCopy::Away;
        case companions::VersionedCopy::NotKept:
            return SavedFileCopy::NotKept;
        case companions::VersionedCopy::Copied:
            copied = true;
        }
    }
    if (copied)
        files.ClearArchive(path);
    if (kept)
        return SavedFileCopy::NewerCopyKept;
    return copied ? SavedFileCopy::Copied : SavedFileCopy::UpToDate;
}

bool SavedFileIsBehind(const companions::SavedPlan& saved, const std::string& path,
                       platform::FileTree& files)
{
    const std::optional<platform::FileFacts> facts = files.Facts(path);
    if (!facts || facts->isFolder)
        return false;
    for (const std::string& copy : CopiesOfSavedFile(saved, path, files))
    {
        if (companions::NeedsCopy(companions::Judge(Expected(path, *facts), files.Facts(copy))))
            return true;
    }
    return false;
}

UncopiedFilesReport::UncopiedFilesReport(std::string localAppData)
    : m_localAppData(std::move(localAppData))
{
}

void UncopiedFilesReport::Add(const companions::SavedPlan& saved,
                              const std::vector<std::pair<std::string, SavedFileCopy>>& uncopied,
                              platform::FileTree& files, const std::tm& now)
{
    if (m_day != std::pair(now.tm_year, now.tm_yday))
    {
        m_day = {now.tm_year, now.tm_yday};
        m_paths.clear();
        m_report.reset();
    }
    for (const auto& [path, copy] : uncopied)
        m_paths[path] = copy == SavedFileCopy::NotKept;
    // Every file of the day, judged again: one copied since counts as done.
    companions::VerdictBuilder builder;
    for (const auto& [path, notKept] : m_paths)
    {
        // A file deleted since it was saved has nothing left to back up.
        const std::optional<platform::FileFacts> facts = files.Facts(path);
        if (!facts)
            continue;
        const companions::ExpectedFile file = Expected(path, *facts);
        companions::Shortfall reason = companions::Shortfall::None;
        for (const std::string& copy : CopiesOfSavedFile(saved, path, files))
        {
            reason = companions::Judge(file, files.Facts(copy));
            if (reason != companions::Shortfall::None)
                break;
        }
        builder.Judged(file, reason != companions::Shortfall::None && notKept
                                 ? companions::Shortfall::CannotKeep
                                 : reason);
    }
    const companions::Verdict verdict = builder.Build(false);
    if (!verdict.HasBadNews())
        return;
    if (!m_report)
        m_report.emplace(files, now, saved.selection.destination, m_localAppData);
    m_report->Final(verdict, false);
}

} // namespace agent
