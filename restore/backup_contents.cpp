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
    return BackupItem{std::string(name),
                      platform::JoinPath(folder, name),
                      facts.isFolder && !facts.isLink,
                      facts.isLink,
                      facts.size,
                      facts.lastWrite,
                      0};
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

// With one source, the destination holds other files unless the plan
// copies every name of that source's folder.
bool LeavesOtherFiles(const CopyPlan& plan, const PlannedSource& source)
{
    return source.isFile ||
           std::none_of(plan.steps.begin(), plan.steps.end(), [&source](const CopyStep& step) {
               return step.source == &source && step.pattern.empty();
           });
}

// With two or more sources, the folders above the sources' mirrors are
// walked down to where a folder holds no source: that one is a holding of its
// own, not in the selection.
class UncoveredMirrors
{
  public:
    UncoveredMirrors(platform::FileTree& files, const std::string& destination,
                     const std::set<std::string>& covered)
        : m_files(files), m_destination(destination), m_covered(covered)
    {
    }

    void Walk(const std::string& folder)
    {
        for (const auto& [name, facts] : Entries(folder))
            Take(folder, name, facts);
    }

    std::vector<Holding> holdings;
    // The destination holds files or folders that are neither mirrors nor
    // the program's own.
    bool otherFiles = false;

  private:
    // The entries of a folder by name; at the top, only the mirrors.
    std::vector<std::pair<std::string, platform::FileFacts>> Entries(const std::string& folder)
    {
        std::vector<std::pair<std::string, platform::FileFacts>> entries;
        m_files.List(folder, [&](std::string_view name, const platform::FileFacts& facts) {
            if (platform::IsUnfinishedCopy(name))
                return;
            if (folder == m_destination && (!facts.isFolder || !IsMirrorRoot(name)))
            {
                otherFiles = otherFiles || !IsProgramFolder(name);
                return;
            }
            entries.emplace_back(name, facts);
        });
        std::sort(entries.begin(), entries.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        return entries;
    }

    void Take(const std::string& folder, const std::string& name, const platform::FileFacts& facts)
    {
        const std::string path = platform::JoinPath(folder, name);
        const std::string folded = m_files.FoldCase(path);
        if (m_covered.count(folded))
            return;
        const std::string mirror(platform::PathBelow(path, m_destination));
        const std::string original = OriginalOfMirror(mirror);
        const bool holdsSource =
            std::any_of(m_covered.begin(), m_covered.end(), [&folded](const std::string& c) {
                return platform::IsBelowFolder(c, folded);
            });
        if (facts.isFolder && !facts.isLink &&
            (holdsSource || (original.empty() && mirror.rfind("UNC", 0) == 0)))
        {
            Walk(path);
            return;
        }
        Holding holding = NewHolding(HoldingKind::NotInSelection,
                                     original.empty() ? mirror : original, path, original);
        holding.isFile = !facts.isFolder;
        holding.item = ItemOf(folder, name, facts);
        holdings.push_back(std::move(holding));
    }

    platform::FileTree& m_files;
    const std::string& m_destination;
    const std::set<std::string>& m_covered;
};

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
    std::vector<std::size_t> sources;
    for (std::size_t i = 0; i < plan.sources.size(); ++i)
        if (!plan.sources[i].isSystemFolder)
            sources.push_back(i);
    const std::set<std::string> covered = AddSources(sources);
    bool otherFiles = false;
    if (sources.size() == 1)
        otherFiles = LeavesOtherFiles(plan, plan.sources[sources.front()]);
    else
    {
        UncoveredMirrors mirrors(*m_files, plan.destination, covered);
        mirrors.Walk(plan.destination);
        for (Holding& holding : mirrors.holdings)
            m_holdings.push_back(std::move(holding));
        otherFiles = mirrors.otherFiles;
    }
    if (otherFiles)
    {
        Holding holding =
            NewHolding(HoldingKind::OtherFiles, kOtherFilesLabel, plan.destination, {});
        if (sources.size() == 1)
        {
            holding.planSource = sources.front();
            holding.names = Holding::Names::NotCopied;
        }
        m_holdings.push_back(std::move(holding));
    }
    const std::string systemState = platform::JoinPath(plan.destination, kSystemStateFolder);
    if (m_files->IsFolder(systemState))
        m_holdings.push_back(
            NewHolding(HoldingKind::SystemState, kSystemStateLabel, systemState, {}));
}

std::set<std::string> BackupContents::AddSources(const std::vector<std::size_t>& sources)
{
    std::set<std::string> covered;
    for (std::size_t i : sources)
    {
        const PlannedSource& source = m_saved.plan.sources[i];
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
    return covered;
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
    const auto file = std::find_if(items.begin(), items.end(), [](const BackupItem& item) {
        return !item.isFolder && !item.isLink;
    });
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
