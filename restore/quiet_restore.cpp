#include "restore/quiet_restore.h"

#include "companions/backup_folder.h"
#include "companions/load_role.h"
#include "companions/saved_plan.h"
#include "companions/saved_selection.h"
#include "platform/path_text.h"

#include <vector>

namespace restore
{
namespace
{

// The words of a command line: runs of text between spaces, or text in
// quotes, which may hold spaces.
std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    size_t at = 0;
    while ((at = text.find_first_not_of(' ', at)) != std::string_view::npos)
    {
        const bool quoted = text[at] == '"';
        const size_t end = quoted ? text.find('"', at + 1) : text.find(' ', at);
        const size_t from = quoted ? at + 1 : at;
        words.emplace_back(text.substr(from, end == std::string_view::npos ? end : end - from));
        if (end == std::string_view::npos)
            break;
        at = end + 1;
    }
    return words;
}

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && platform::EndsWithSeparator(path) &&
           !(path.size() == 3 && path[1] == ':'))
        path.pop_back();
    return path;
}

QuietRestoreOutcome Refused(std::string line)
{
    return QuietRestoreOutcome{2, std::move(line)};
}

} // namespace

std::optional<QuietRestoreArguments> ParseQuietRestore(std::string_view arguments)
{
    const std::vector<std::string> words = Words(arguments);
    if (words.size() < 3 || words[0] != companions::kRestoreArgument ||
        words[1] != companions::kQuietArgument)
        return std::nullopt;
    if (words.size() == 3)
        return QuietRestoreArguments{words[2], {}};
    if (words.size() == 5 && words[3] == companions::kToArgument)
        return QuietRestoreArguments{words[2], words[4]};
    return std::nullopt;
}

QuietRestoreOutcome RunQuietRestore(const InstallDirectory& directory,
                                    const QuietRestoreArguments& arguments,
                                    const QuietRestoreContext& context)
{
    platform::FileTree& files = context.files;
    companions::SavedPlanRead read =
        companions::ReadSavedPlan(directory, files, companions::SavedPlanUse::Restore);
    if (!read.unreadable.empty())
        return Refused(companions::UnreadableStoreText(read.unreadable));
    std::optional<companions::SavedPlan>& saved = read.saved;
    if (!saved)
        return Refused("Choose a folder to back up to first.");
    // A backup disk that came back at another letter is restored from there.
    saved = companions::FollowMovedBackup(std::move(*saved), directory,
                                          companions::SearchOnThisComputer(), files,
                                          companions::SavedPlanUse::Restore);
    const std::string destination = saved->plan.destination;
    std::optional<BackupContents> contents = BackupContents::Read(std::move(*saved), files);
    if (!contents)
        return Refused(companions::DestinationNotThereText(destination, files));

    const std::string path = WithoutTrailingSeparator(arguments.path);
    const std::string folded = files.FoldCase(path);
    RestoreRequest request{{}, arguments.toFolder};
    const std::vector<Holding>& holdings = contents->Holdings();
    for (std::size_t i = 0; i < holdings.size() && request.items.empty(); ++i)
    {
        const Holding& holding = holdings[i];
        if (holding.kind != HoldingKind::Source)
            continue;
        const std::string source = files.FoldCase(WithoutTrailingSeparator(holding.label));
        if (folded == source)
            request.items.push_back(RestoreItem{i, {}, {}});
        else if (!holding.isFile && platform::IsBelowFolder(folded, source))
        {
            request.items.push_back(RestoreItem{
                i, platform::JoinPath(holding.copyPath, platform::PathBelow(path, source)), {}});
        }
    }
    if (request.items.empty())
        return Refused(arguments.path + " is not in your backup selection.");

    const RestoreList list = ListRestore(*contents, request);
    if (list.refusal != RestoreRefusal::None)
        return Refused(RefusalText(list.refusal));
    const RestoreVerdict verdict =
        RunRestore(*contents, list, context.start, context.callbacks, files);
    PublishRestoreReport(verdict, context.start, destination, context.localAppData, files);
    return QuietRestoreOutcome{verdict.AllRestored() ? 0 : 1, RestoreFirstLine(verdict)};
}

} // namespace restore
