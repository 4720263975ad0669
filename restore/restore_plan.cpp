#include "restore/restore_plan.h"

#include "companions/date_stamp.h"
#include "companions/report.h"
#include "companions/verdict.h"
#include "companions/versions.h"
#include "plan/validate_source_entry.h"
#include "platform/path_text.h"

#include <algorithm>
#include <set>
#include <utility>

namespace restore
{
namespace
{

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
    return a.size == size && companions::SameTime(a.lastWrite, lastWrite);
}

// "plan (restored 2026-12-07).doc", then "plan (restored 2026-12-07) (2).doc"
// and on, the first that is free beside `target`.
std::string FreeNameBeside(const std::string& target, const char* word, const std::tm& today,
                           platform::FileTree& files)
{
    const std::string_view name = platform::LastComponent(target);
    return companions::FreeTaggedPath(target.substr(0, target.size() - name.size()), name,
                                      word + (" " + companions::DateStamp(today)), files);
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

bool KeepGoing(const RestoreCallbacks& callbacks)
{
    return !callbacks.keepGoing || callbacks.keepGoing();
}

// Returns true once no backup runs, false when the restore is stopped first.
// The first wait of a restore is told.
bool WaitWhileBackupRuns(const RestoreCallbacks& callbacks, bool& told)
{
    while (callbacks.backupRuns && callbacks.backupRuns())
    {
        if (!std::exchange(told, true) && callbacks.waiting)
            callbacks.waiting();
        if (!KeepGoing(callbacks))
            return false;
        if (callbacks.pause)
            callbacks.pause();
    }
    return true;
}

// Whether "Restore To..." names a folder in the backup, by its text or under
// another name (vd.exe's drive letter, a subst letter, a share, a junction):
// the nearest folder at or above it that is there is the backup folder or
// lies below it.
bool IsInBackup(const std::string& folder, const std::string& destination,
                platform::FileTree& files)
{
    if (platform::IsAtOrBelowFolder(files.FoldCase(folder), files.FoldCase(destination)))
        return true;
    std::string there = folder;
    while (!there.empty() && !files.Identity(there))
        there = platform::ParentFolder(there);
    return !there.empty() &&
           HeldFolder(there, files).ByIdentity(files.Identity(destination)) != HeldFolder::Hold::No;
}

// Whether the path, or a folder between it and the destination, is a link.
bool LinkOnTheWay(std::string path, const std::string& destination, platform::FileTree& files)
{
    for (; platform::IsBelowFolder(path, destination); path = platform::ParentFolder(path))
    {
        const std::optional<platform::FileFacts> facts = files.Facts(path);
        if (facts && facts->isLink)
            return true;
    }
    return false;
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
            const std::string_view below = platform::PathBelow(copyPath, holding.copyPath);
            if (below.empty())
                return {holding.originalPath, true};
            return {platform::JoinPath(holding.originalPath, below), StaysBelow(below)};
        }
        const std::string_view below =
            m_mirrored       ? platform::PathBelow(copyPath, m_contents.Destination())
            : holding.isFile ? platform::LastComponent(copyPath)
                             : platform::PathBelow(copyPath, holding.copyPath);
        return {platform::JoinPath(m_toFolder, below), StaysBelow(below)};
    }

    // The folder restored into.
    std::string RootOf(const Holding& holding) const
    {
        if (!m_toFolder.empty())
            return m_toFolder;
        return holding.isFile ? platform::ParentFolder(holding.originalPath) : holding.originalPath;
    }

  private:
    const BackupContents& m_contents;
    const std::string& m_toFolder;
    bool m_mirrored = false;
};

// The deepest folder that stands at or above `path`: a source deleted since
// its backup is made again below it.
std::string StandingFolderAtOrAbove(std::string path, platform::FileTree& files)
{
    while (!files.IsFolder(path))
    {
        const std::string above = platform::ParentFolder(path);
        if (above.empty() || above.size() >= path.size())
            break;
        path.resize(above.size());
    }
    return path;
}

// Restores the files of one restore one by one; an answer for all
// conflicts holds for the rest of them.
class FileRestorer
{
  public:
    FileRestorer(const BackupContents& contents, const std::tm& today,
                 const RestoreCallbacks& callbacks, platform::FileTree& files)
        : m_contents(contents), m_today(today), m_callbacks(callbacks), m_files(files)
    {
    }

    // Nothing when the file was restored, or was the same already.
    std::optional<RestoreShortfall> RestoreOne(const RestoreFile& file)
    {
        if (file.isLink)
            return RestoreShortfall::IsLink;
        if (file.noCopy || !m_files.IsFile(file.from))
            return RestoreShortfall::NoCopy;
        if (file.climbsOut)
            return RestoreShortfall::CannotWrite;
        // Folders below the place restored to follow no link, and stay held
        // until the file is in place.
        const std::unique_ptr<platform::HeldFolders> held = m_files.MakeFoldersBelow(
            StandingFolderOf(file.root), platform::ParentFolder(file.target));
        if (!held)
            return RestoreShortfall::CannotWrite;
        const std::optional<platform::FileFacts> there = m_files.Facts(file.target);
        if (there && there->isFolder)
            return RestoreShortfall::CannotWrite;
        const bool differs = there && !Same(*there, file.size, file.lastWrite);
        // Kept both: the restored file stands beside the user's, not in its place.
        const ConflictChoice choice = differs ? Choose(file, *there) : ConflictChoice::Replace;
        if (choice == ConflictChoice::Skip)
            return RestoreShortfall::Skipped;
        // The version put back is the current copy again first, or the next
        // backup would judge the file against the copy it replaced, and never
        // replace that newer copy. Where the swap fails, nothing is written.
        if (file.isVersion && file.toOriginalPlace && choice != ConflictChoice::KeepBoth &&
            companions::CopyKeepingVersion(file.from, m_contents.Destination(), file.copyPath,
                                           m_files) != companions::VersionedCopy::Copied)
            return RestoreShortfall::CannotWrite;
        if (!there)
            return ShortfallOf(m_files.Copy(file.from, file.target));
        return differs ? ResolveConflict(file, *there, choice) : std::nullopt;
    }

  private:
    // Looked for once per place restored to: the folders made below the one
    // found stand afterwards, and are checked for links with the rest.
    const std::string& StandingFolderOf(const std::string& root)
    {
        if (root != m_root || m_standing.empty())
        {
            m_root = root;
            m_standing = StandingFolderAtOrAbove(root, m_files);
        }
        return m_standing;
    }

    ConflictChoice Choose(const RestoreFile& file, const platform::FileFacts& there)
    {
        if (m_answeredForAll)
            return m_forAll;
        if (!m_callbacks.ask)
            return ConflictChoice::KeepBoth;
        const ConflictAnswer answer = m_callbacks.ask(
            Conflict{file.target, there.size, there.lastWrite, file.size, file.lastWrite});
        m_answeredForAll = answer.forAll;
        m_forAll = answer.choice;
        return answer.choice;
    }

    std::optional<RestoreShortfall> ResolveConflict(const RestoreFile& file,
                                                    const platform::FileFacts& there,
                                                    ConflictChoice choice)
    {
        if (choice == ConflictChoice::KeepBoth)
            return ShortfallOf(
                m_files.Copy(file.from, FreeNameBeside(file.target, "restored", m_today, m_files)));
        if (!file.toOriginalPlace)
            return ShortfallOf(m_files.Copy(
                file.from, file.target, FreeNameBeside(file.target, "replaced", m_today, m_files)));
        // The user's file is on another volume than its versions: copied.
        const std::string kept = companions::FreeVersionPath(
            m_contents.Destination(), file.copyPath, there.lastWrite, m_files);
        const std::unique_ptr<platform::HeldFolders> versionFolder =
            m_files.MakeFoldersBelow(m_contents.Destination(), platform::ParentFolder(kept));
        if (!versionFolder)
            return RestoreShortfall::CannotWrite;
        if (const std::optional<RestoreShortfall> notKept =
                ShortfallOf(m_files.Copy(file.target, kept)))
            return notKept;
        const std::optional<RestoreShortfall> replaced =
            ShortfallOf(m_files.Copy(file.from, file.target));
        if (replaced)
            m_files.Remove(kept);
        return replaced;
    }

    const BackupContents& m_contents;
    const std::tm& m_today;
    const RestoreCallbacks& m_callbacks;
    platform::FileTree& m_files;
    std::string m_root;
    std::string m_standing;
    // The answer for all conflicts, once given.
    bool m_answeredForAll = false;
    ConflictChoice m_forAll = ConflictChoice::KeepBoth;
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

bool HaveOriginalPlaces(const BackupContents& contents, const std::vector<RestoreItem>& items)
{
    return std::all_of(items.begin(), items.end(), [&contents](const RestoreItem& item) {
        return !contents.Holdings().at(item.holding).originalPath.empty();
    });
}

RestoreList ListRestore(const BackupContents& contents, const RestoreRequest& request)
{
    platform::FileTree& files = contents.Files();
    RestoreList list;
    if (!request.toFolder.empty() && IsInBackup(request.toFolder, contents.Destination(), files))
    {
        list.refusal = RestoreRefusal::InsideBackup;
        return list;
    }
    if (request.toFolder.empty() && !HaveOriginalPlaces(contents, request.items))
    {
        list.refusal = RestoreRefusal::OnlyElsewhere;
        return list;
    }
    const Targets targets(contents, request);
    for (const RestoreItem& item : request.items)
    {
        const Holding& holding = contents.Holdings().at(item.holding);
        const bool toOriginalPlace = request.toFolder.empty();
        const auto add = [&](const std::string& from, const std::string& copyPath,
                             const std::optional<platform::FileFacts>& facts, bool isVersion,
                             bool isLink) {
            auto [target, stays] = targets.Of(holding, copyPath);
            RestoreFile file{from, copyPath, std::move(target), targets.RootOf(holding)};
            file.toOriginalPlace = toOriginalPlace;
            file.isVersion = isVersion;
            file.noCopy = !facts || facts->isFolder;
            file.climbsOut = !stays;
            file.isLink = isLink;
            if (facts)
            {
                file.size = facts->size;
                file.lastWrite = facts->lastWrite;
                list.bytes += facts->size;
            }
            list.files.push_back(std::move(file));
        };
        const std::string root = item.copyPath.empty() ? holding.copyPath : item.copyPath;
        const std::string& destination = contents.Destination();
        if (!item.versionPath.empty())
        {
            add(item.versionPath, root, files.Facts(item.versionPath), true,
                LinkOnTheWay(item.versionPath, destination, files));
            continue;
        }
        const std::optional<platform::FileFacts> facts = files.Facts(root);
        const bool linked = LinkOnTheWay(root, destination, files);
        if (!facts || !facts->isFolder || holding.isFile || linked)
        {
            add(root, root, facts, false, linked);
            continue;
        }
        contents.Walk(holding, root, [&](const BackupItem& copy) {
            add(copy.copyPath, copy.copyPath,
                platform::FileFacts{false, false, false, false, copy.size, copy.lastWrite}, false,
                copy.isLink);
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
    FileRestorer restorer(contents, today, callbacks, files);
    bool going = true;
    bool toldWaiting = false;
    for (const RestoreFile& file : list.files)
    {
        going = going && KeepGoing(callbacks) && WaitWhileBackupRuns(callbacks, toldWaiting);
        std::optional<RestoreShortfall> shortfall = RestoreShortfall::Skipped;
        if (going)
        {
            progress.current = file.target;
            if (callbacks.progress)
                callbacks.progress(progress);
            ++progress.filesDone;
            progress.bytesDone += file.size;
            shortfall = restorer.RestoreOne(file);
        }
        if (shortfall)
            verdict.notRestored.push_back(NotRestored{file.target, *shortfall});
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
