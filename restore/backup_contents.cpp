#include "restore/backup_contents.h"

#include "companions/versions.h"
#include "model/backup_folders.h"
#include "plan/mirror_path.h"
#include "platform/file_walk.h"
#include "platform/path_text.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <unordered_map>

namespace restore
{
namespace
{

// The folders the companions keep in the destination for themselves.
bool IsProgramFolder(std::string_view name)
{
    return name == kReportsFolder || name == kVersionsFolder || name == kSystemStateFolder;
}

// The top folders of a backup of two or more sources: a drive letter, "UNC"
// or "other".
bool IsMirrorRoot(std::string_view name)
{
    return (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0]))) ||
           name == "UNC" || name == "other";
}

BackupItem ItemOf(std::string_view folder, std::string_view name, const platform::FileFacts& facts)
{
    return BackupItem{std::string(name), platform::JoinPath(folder, name),
                      facts.isFolder,    facts.size,
                      facts.lastWrite,   0};
}

Holding NewHolding(HoldingKind kind, std::string label, std::string copyPath,
                   std::string originalPath)
{
    Holding holding;
    holding.kind = kind;
    holding.label = std::move(label);
    holding.copyPath = std::move(copyPath);
    holding.originalPath = std::move(originalPath);
    return holding;
}

} // namespace

BackupContents::BackupContents(companions::SavedPlan saved, platform::FileTree& files)
    : m_saved(std::move(saved)), m_files(&files)
{
}

std::optional<BackupContents> BackupContents::Read(companions::SavedPlan saved,
                                                   platform::FileTree& files)
{
    if (!files.IsFolder(saved.plan.destination))
        return std::nullopt;
    BackupContents contents(std::move(saved), files);
    contents.Find();
    return contents;
}

void BackupContents::Find()
{
    const CopyPlan& plan = m_saved.plan;
    const std::string& destination = plan.destination;
    std::vector<std::size_t> sources;
    for (std::size_t i = 0; i < plan.sources.size(); ++i)
        if (!plan.sources[i].isSystemFolder)
            sources.push_back(i);

    std::set<std::string> covered;
    for (std::size_t i : sources)
    {
        const PlannedSource& source = plan.sources[i];
        Holding holding = NewHolding(HoldingKind::Source, std::string(source.path),
                                     std::string(source.copyFolder), std::string(source.path));
        holding.planSource = i;
        if (source.isFile)
        {
            holding.isFile = true;
            holding.copyPath =
                platform::JoinPath(source.copyFolder, platform::LastComponent(source.path));
            if (const auto facts = m_files->Facts(holding.copyPath); facts && !facts->isFolder)
                holding.item =
                    ItemOf(source.copyFolder, platform::LastComponent(source.path), *facts);
        }
        else if (sources.size() == 1)
            holding.names = Holding::Names::Copied;
        covered.insert(m_files->FoldCase(holding.copyPath));
        m_holdings.push_back(std::move(holding));
    }

    bool otherFiles = false;
    if (sources.size() == 1)
    {
        // Every name the plan copies from a folder leaves no other files.
        const PlannedSource& source = plan.sources[sources.front()];
        otherFiles =
            source.isFile ||
            std::none_of(plan.steps.begin(), plan.steps.end(), [&source](const CopyStep& step) {
                return step.source == &source && step.pattern.empty();
            });
    }
    else
    {
        // The folders above the sources' mirrors are walked down to where a
        // folder holds no source: that one is a holding of its own.
        std::vector<Holding> notInSelection;
        const std::function<void(const std::string&)> descend = [&](const std::string& folder) {
            std::vector<std::pair<std::string, platform::FileFacts>> entries;
            m_files->List(folder, [&](std::string_view name, const platform::FileFacts& facts) {
                if (platform::IsUnfinishedCopy(name))
                    return;
                if (folder == destination && (!facts.isFolder || !IsMirrorRoot(name)))
                {
                    otherFiles = otherFiles || !IsProgramFolder(name);
                    return;
                }
                entries.emplace_back(name, facts);
            });
            std::sort(entries.begin(), entries.end(),
                      [](const auto& a, const auto& b) { return a.first < b.first; });
            for (const auto& [name, facts] : entries)
            {
                const std::string path = platform::JoinPath(folder, name);
                const std::string folded = m_files->FoldCase(path);
                if (covered.count(folded))
                    continue;
                const std::string mirror(platform::PathBelow(path, destination));
                const std::string original = OriginalOfMirror(mirror);
                const bool holdsSource =
                    std::any_of(covered.begin(), covered.end(), [&folded](const std::string& c) {
                        return platform::IsBelowFolder(c, folded);
                    });
                if (facts.isFolder &&
                    (holdsSource || (original.empty() && mirror.rfind("UNC", 0) == 0)))
                {
                    descend(path);
                    continue;
                }
                Holding holding = NewHolding(HoldingKind::NotInSelection,
                                             original.empty() ? mirror : original, path, original);
                holding.isFile = !facts.isFolder;
                holding.item = ItemOf(folder, name, facts);
                notInSelection.push_back(std::move(holding));
            }
        };
        descend(destination);
        for (Holding& holding : notInSelection)
            m_holdings.push_back(std::move(holding));
    }
    if (otherFiles)
    {
        Holding holding = NewHolding(HoldingKind::OtherFiles, kOtherFilesLabel, destination, {});
        if (sources.size() == 1)
        {
            holding.planSource = sources.front();
            holding.names = Holding::Names::NotCopied;
        }
        m_holdings.push_back(std::move(holding));
    }
    const std::string systemState = platform::JoinPath(destination, kSystemStateFolder);
    if (m_files->IsFolder(systemState))
        m_holdings.push_back(
            NewHolding(HoldingKind::SystemState, kSystemStateLabel, systemState, {}));
}

bool BackupContents::Belongs(const Holding& holding, const std::string& folder,
                             std::string_view name, const platform::FileFacts& facts) const
{
    if (platform::IsUnfinishedCopy(name))
        return false;
    const CopyPlan& plan = m_saved.plan;
    if (folder == plan.destination)
    {
        if (facts.isFolder && IsProgramFolder(name))
            return false;
        // With two or more sources, the mirrors have holdings of their own.
        if (holding.kind == HoldingKind::OtherFiles && holding.names == Holding::Names::All &&
            facts.isFolder && IsMirrorRoot(name))
            return false;
    }
    if (holding.names == Holding::Names::All)
        return true;
    const PlannedSource& source = plan.sources[holding.planSource];
    bool copied;
    if (source.isFile)
        copied = folder == plan.destination && name == platform::LastComponent(source.path);
    else if (facts.isFolder)
        return true;
    else
        copied = std::any_of(plan.steps.begin(), plan.steps.end(),
                             [&source, name](const CopyStep& step) {
                                 return step.source == &source && step.CopiesName(name, false);
                             });
    return copied == (holding.names == Holding::Names::Copied);
}

void BackupContents::ForEach(const Holding& holding, const std::string& folder,
                             const std::function<void(BackupItem&&)>& visit) const
{
    std::vector<BackupItem> items;
    m_files->List(folder, [&](std::string_view name, const platform::FileFacts& facts) {
        if (Belongs(holding, folder, name, facts))
            items.push_back(ItemOf(folder, name, facts));
    });
    const auto file = std::find_if(items.begin(), items.end(),
                                   [](const BackupItem& item) { return !item.isFolder; });
    if (file != items.end())
    {
        std::unordered_map<std::string, int> counts;
        for (companions::VersionCount& count : companions::CountVersions(
                 companions::VersionFolderOf(Destination(), file->copyPath), *m_files))
            counts.emplace(std::move(count.name), count.count);
        if (!counts.empty())
            for (BackupItem& item : items)
                if (const auto found = counts.find(item.name);
                    !item.isFolder && found != counts.end())
                    item.versions = found->second;
    }
    for (BackupItem& item : items)
        visit(std::move(item));
}

std::vector<BackupItem> BackupContents::List(const Holding& holding,
                                             const std::string& folder) const
{
    std::vector<BackupItem> items;
    ForEach(holding, folder, [&items](BackupItem&& item) { items.push_back(std::move(item)); });
    std::sort(items.begin(), items.end(), [](const BackupItem& a, const BackupItem& b) {
        return a.isFolder != b.isFolder ? a.isFolder : a.name < b.name;
    });
    return items;
}

bool BackupContents::Walk(const Holding& holding, const std::string& path,
                          const std::function<bool(const BackupItem&)>& visit) const
{
    if (holding.isFile)
        return visit(holding.item);
    bool going = true;
    std::vector<std::string> folders;
    ForEach(holding, path, [&](BackupItem&& item) {
        if (item.isFolder)
            folders.push_back(std::move(item.copyPath));
        else if (going)
            going = visit(item);
    });
    for (const std::string& folder : folders)
        if (!going || !(going = Walk(holding, folder, visit)))
            break;
    return going;
}

} // namespace restore
