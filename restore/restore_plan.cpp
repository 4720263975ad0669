#include "restore/restore_plan.h"

#include "companions/report.h"
#include "companions/versions.h"
#include "platform/path_text.h"

#include <cstdio>
#include <set>

namespace restore
{
namespace
{

// FAT keeps last-write times to two seconds.
constexpr platform::FileTime kTimeGrain = std::chrono::seconds(2);

std::string_view Below(std::string_view path, std::string_view folder)
{
    path.remove_prefix(std::min(path.size(), folder.size()));
    while (!path.empty() && platform::IsSeparator(path.front()))
        path.remove_prefix(1);
    return path;
}

// Whether a path below a folder, as the backup names it, stays below that
// folder: no component is empty, "." or "..".
bool StaysBelow(std::string_view relative)
{
    while (!relative.empty())
    {
        const size_t end = platform::FindFirstCharacterOf(relative, "\\/");
        const std::string_view part = relative.substr(0, end);
        if (part.empty() || part == "." || part == "..")
            return false;
        if (end == std::string_view::npos)
            break;
        relative.remove_prefix(end + 1);
        if (relative.empty())
            return false;
    }
    return true;
}

bool Same(const platform::FileFacts& a, std::uint64_t size, platform::FileTime lastWrite)
{
    const platform::FileTime apart =
        a.lastWrite > lastWrite ? a.lastWrite - lastWrite : lastWrite - a.lastWrite;
    return a.size == size && apart <= kTimeGrain;
}

// "plan (restored 2026-12-07).doc", then "plan (restored 2026-12-07) (2).doc"
// and on, the first that is free beside `target`.
std::string FreeNameBeside(const std::string& target, const char* word, const std::tm& today,
                           platform::FileTree& files)
{
    const size_t separator = platform::FindLastSeparator(target);
    const size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    size_t dot = target.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        dot = target.size();
    char date[32];
    std::snprintf(date, sizeof date, " (%s %04d-%02d-%02d)", word, today.tm_year + 1900,
                  today.tm_mon + 1, today.tm_mday);
    for (int number = 1;; ++number)
    {
        std::string path = target.substr(0, dot) + date;
        if (number > 1)
            path += " (" + std::to_string(number) + ")";
        path += target.substr(dot);
        if (!files.Facts(path))
            return path;
    }
}

// A free version name for the user's file among the versions of the copy at
// `copyPath`, named by the user's file's own last-write time.
std::string FreeVersionPath(const std::string& destination, const std::string& copyPath,
                            platform::FileTime written, platform::FileTree& files)
{
    const std::string folder = companions::VersionFolderOf(destination, copyPath);
    const std::tm time = platform::LocalTimeOf(written);
    for (int number = 1;; ++number)
    {
        std::string path = platform::JoinPath(
            folder, companions::VersionName(platform::LastComponent(copyPath), time, number));
        if (!files.Facts(path))
            return path;
    }
}

std::optional<RestoreShortfall> ShortfallOf(platform::CopyResult result)
{
    switch (result)
    {
    case platform::CopyResult::Copied:
        return std::nullopt;
    case platform::CopyResult::SourceBusy:
    case platform::CopyResult::TargetBusy:
        return RestoreShortfall::InUse;
    case platform::CopyResult::Failed:
    case platform::CopyResult::NotKept:
        break;
    }
    return RestoreShortfall::CannotWrite;
}

// Where each file of one request goes.
class Targets
{
  public:
    Targets(const BackupContents& contents, const RestoreRequest& request)
        : m_contents(contents), m_toFolder(request.toFolder)
    {
        std::set<std::size_t> holdings;
        for (const RestoreItem& item : request.items)
            holdings.insert(item.holding);
        m_mirrored = holdings.size() > 1;
    }

    // The target of the copy at `copyPath` of the holding, and whether it
    // stays in the place restored to.
    std::pair<std::string, bool> Of(const Holding& holding, const std::string& copyPath) const
    {
        if (m_toFolder.empty())
        {
            if (holding.isFile)
                return {holding.originalPath, true};
            const std::string_view below = Below(copyPath, holding.copyPath);
            if (below.empty())
                return {holding.originalPath, true};
            return {platform::JoinPath(holding.originalPath, below), StaysBelow(below)};
        }
        const std::string_view below = m_mirrored       ? Below(copyPath, m_contents.Destination())
                                       : holding.isFile ? platform::LastComponent(copyPath)
                                                        : Below(copyPath, holding.copyPath);
        return {platform::JoinPath(m_toFolder, below), StaysBelow(below)};
    }

  private:
    const BackupContents& m_contents;
    const std::string& m_toFolder;
    bool m_mirrored = false;
};

} // namespace

const char* RefusalText(RestoreRefusal refusal)
{
    switch (refusal)
    {
    case RestoreRefusal::None:
        return "";
    case RestoreRefusal::OnlyElsewhere:
        return "System State and Other files can only be restored with Restore To...";
    case RestoreRefusal::InsideBackup:
        return "Choose a folder outside your backup folder.";
    }
    return "";
}

RestoreList ListRestore(const BackupContents& contents, const RestoreRequest& request)
{
    platform::FileTree& files = contents.Files();
    RestoreList list;
    if (!request.toFolder.empty() &&
        platform::IsAtOrBelowFolder(files.FoldCase(request.toFolder),
                                    files.FoldCase(contents.Destination())))
    {
        list.refusal = RestoreRefusal::InsideBackup;
        return list;
    }
    const Targets targets(contents, request);
    for (const RestoreItem& item : request.items)
    {
        const Holding& holding = contents.Holdings().at(item.holding);
        if (request.toFolder.empty() && holding.originalPath.empty())
        {
            list.refusal = RestoreRefusal::OnlyElsewhere;
            list.files.clear();
            return list;
        }
        const bool toOriginalPlace = request.toFolder.empty();
        const auto add = [&](const std::string& from, const std::string& copyPath,
                             const std::optional<platform::FileFacts>& facts, bool isVersion) {
            auto [target, stays] = targets.Of(holding, copyPath);
            RestoreFile file{from, copyPath, std::move(target)};
            file.toOriginalPlace = toOriginalPlace;
            file.isVersion = isVersion;
            file.noCopy = !facts || facts->isFolder;
            file.climbsOut = !stays;
            if (facts)
            {
                file.size = facts->size;
                file.lastWrite = facts->lastWrite;
                list.bytes += facts->size;
            }
            list.files.push_back(std::move(file));
        };
        const std::string root = item.copyPath.empty() ? holding.copyPath : item.copyPath;
        if (!item.versionPath.empty())
        {
            add(item.versionPath, root, files.Facts(item.versionPath), true);
            continue;
        }
        const std::optional<platform::FileFacts> facts = files.Facts(root);
        if (!facts || !facts->isFolder || holding.isFile)
        {
            add(root, root, facts, false);
            continue;
        }
        contents.Walk(holding, root, [&](const BackupItem& copy) {
            add(copy.copyPath, copy.copyPath,
                platform::FileFacts{false, false, false, false, copy.size, copy.lastWrite}, false);
            return true;
        });
    }
    return list;
}

RestoreVerdict RunRestore(const BackupContents& contents, const RestoreList& list,
                          const std::tm& today, const RestoreCallbacks& callbacks,
                          platform::FileTree& files)
{
    RestoreVerdict verdict;
    verdict.files = list.files.size();
    RestoreProgress progress{0, list.files.size(), 0, list.bytes, {}};
    std::optional<ConflictChoice> forAll;
    bool going = true;
    for (const RestoreFile& file : list.files)
    {
        going = going && (!callbacks.keepGoing || callbacks.keepGoing());
        const auto fail = [&](RestoreShortfall reason) {
            verdict.notRestored.push_back(NotRestored{file.target, reason});
        };
        if (!going)
        {
            fail(RestoreShortfall::Skipped);
            continue;
        }
        if (callbacks.waitWhileBackupRuns)
            callbacks.waitWhileBackupRuns();
        progress.current = file.target;
        if (callbacks.progress)
            callbacks.progress(progress);
        ++progress.filesDone;
        progress.bytesDone += file.size;

        // Kept both: the restored file stands beside the user's, not in its place.
        bool inPlace = true;
        const std::optional<RestoreShortfall> shortfall = [&]() -> std::optional<RestoreShortfall> {
            if (file.noCopy || !files.IsFile(file.from))
                return RestoreShortfall::NoCopy;
            if (file.climbsOut)
                return RestoreShortfall::CannotWrite;
            const std::optional<platform::FileFacts> there = files.Facts(file.target);
            if (!there)
                return ShortfallOf(files.Copy(file.from, file.target));
            if (there->isFolder)
                return RestoreShortfall::CannotWrite;
            if (Same(*there, file.size, file.lastWrite))
                return std::nullopt;
            ConflictChoice choice = ConflictChoice::KeepBoth;
            if (forAll)
                choice = *forAll;
            else if (callbacks.ask)
            {
                const ConflictAnswer answer = callbacks.ask(Conflict{
                    file.target, there->size, there->lastWrite, file.size, file.lastWrite});
                choice = answer.choice;
                if (answer.forAll)
                    forAll = choice;
            }
            switch (choice)
            {
            case ConflictChoice::Skip:
                return RestoreShortfall::Skipped;
            case ConflictChoice::KeepBoth:
                inPlace = false;
                return ShortfallOf(
                    files.Copy(file.from, FreeNameBeside(file.target, "restored", today, files)));
            case ConflictChoice::Replace:
                break;
            }
            if (!file.toOriginalPlace)
                return ShortfallOf(files.Copy(
                    file.from, file.target, FreeNameBeside(file.target, "replaced", today, files)));
            // The user's file is on another volume than its versions: copied.
            const std::string kept =
                FreeVersionPath(contents.Destination(), file.copyPath, there->lastWrite, files);
            if (const std::optional<RestoreShortfall> notKept =
                    ShortfallOf(files.Copy(file.target, kept)))
                return notKept;
            const std::optional<RestoreShortfall> replaced =
                ShortfallOf(files.Copy(file.from, file.target));
            if (replaced)
                files.Remove(kept);
            return replaced;
        }();
        if (shortfall)
        {
            fail(*shortfall);
            continue;
        }
        // The version put back is the current copy again, or the next backup
        // would judge the file against the copy it replaced.
        if (file.isVersion && file.toOriginalPlace && inPlace)
            companions::CopyKeepingVersion(file.from, contents.Destination(), file.copyPath, files);
    }
    progress.current.clear();
    if (callbacks.progress)
        callbacks.progress(progress);
    return verdict;
}

std::vector<std::string> PublishRestoreReport(const RestoreVerdict& verdict, const std::tm& start,
                                              const std::string& destination,
                                              const std::string& localAppData,
                                              platform::FileTree& files)
{
    return companions::ReportPublisher(files, start, destination, localAppData,
                                       companions::kRestoreReportKind)
        .Shown(RestoreReportText(verdict));
}

} // namespace restore
