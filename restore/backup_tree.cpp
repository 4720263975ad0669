#include "restore/backup_tree.h"

#include "platform/path_text.h"
#include "restore/restore_view.h"

namespace restore
{
namespace
{

TreeNode NodeOf(FoundFile at, std::string line, bool opens)
{
    TreeNode node;
    node.at = std::move(at);
    node.line = std::move(line);
    node.opens = opens;
    return node;
}

} // namespace

void BackupTree::ShowHoldings(const BackupContents* contents)
{
    m_contents = contents;
    Clear();
    if (contents == nullptr)
        return;
    const std::vector<Holding>& holdings = contents->Holdings();
    for (std::size_t i = 0; i < holdings.size(); ++i)
    {
        TreeNode node =
            NodeOf({i, holdings[i].item}, HoldingLine(holdings[i]), !holdings[i].isFile);
        node.isHolding = true;
        Add(kNoNode, std::move(node));
    }
}

void BackupTree::ShowFound(const std::vector<FoundFile>& found)
{
    Clear();
    const std::vector<Holding>& holdings = m_contents->Holdings();
    std::map<std::size_t, std::size_t> tops;
    // Each folder made once, by its copy's path.
    std::map<std::string, std::size_t> folders;
    for (const FoundFile& file : found)
    {
        const Holding& holding = holdings[file.holding];
        auto top = tops.find(file.holding);
        if (top == tops.end())
        {
            TreeNode node =
                NodeOf({file.holding, holding.item}, HoldingLine(holding), !holding.isFile);
            node.isHolding = node.listed = true;
            node.partial = !holding.isFile;
            top = tops.emplace(file.holding, Add(kNoNode, std::move(node))).first;
        }
        if (!holding.isFile)
            Add(FoldersOf(file, top->second, folders), NodeOf(file, ItemLine(file.item), false));
    }
}

std::size_t BackupTree::FoldersOf(const FoundFile& file, std::size_t top,
                                  std::map<std::string, std::size_t>& folders)
{
    const std::string& path = file.item.copyPath;
    std::size_t parent = top;
    std::string_view rest =
        platform::PathBelow(path, m_contents->Holdings()[file.holding].copyPath);
    for (std::size_t end; (end = platform::FindFirstCharacterOf(rest, "\\/")) != std::string::npos;
         rest.remove_prefix(end + 1))
    {
        std::string folder =
            path.substr(0, static_cast<std::size_t>(rest.data() - path.data()) + end);
        auto made = folders.find(folder);
        if (made == folders.end())
        {
            BackupItem item{std::string(rest.substr(0, end)), folder, true};
            TreeNode node = NodeOf({file.holding, item}, item.name, true);
            node.listed = node.partial = true;
            made = folders.emplace(std::move(folder), Add(parent, std::move(node))).first;
        }
        parent = made->second;
    }
    return parent;
}

bool BackupTree::Open(std::size_t node)
{
    if (m_nodes[node].listed)
        return false;
    m_nodes[node].listed = true;
    const FoundFile at = m_nodes[node].at;
    const Holding& holding = m_contents->Holdings()[at.holding];
    const std::vector<BackupItem> items =
        m_contents->List(holding, m_nodes[node].isHolding ? holding.copyPath : at.item.copyPath);
    for (const BackupItem& item : items)
        Add(node, NodeOf({at.holding, item}, ItemLine(item), item.isFolder));
    m_nodes[node].opens = !items.empty();
    return true;
}

void BackupTree::Check(std::size_t node, bool checked)
{
    CheckBelow(node, checked);
    for (std::size_t above = m_nodes[node].parent; !checked && above != kNoNode;
         above = m_nodes[above].parent)
        m_nodes[above].checked = false;
}

std::vector<RestoreItem> BackupTree::Checked() const
{
    std::vector<RestoreItem> items;
    for (std::size_t top : m_tops)
        Collect(top, items);
    return items;
}

const FoundFile* BackupTree::FileAt(std::size_t node) const
{
    const FoundFile& at = m_nodes[node].at;
    const bool isFile =
        m_nodes[node].isHolding ? m_contents->Holdings()[at.holding].isFile : !at.item.isFolder;
    return isFile ? &at : nullptr;
}

void BackupTree::Clear()
{
    m_nodes.clear();
    m_tops.clear();
}

std::size_t BackupTree::Add(std::size_t parent, TreeNode node)
{
    // Below a ticked folder an item comes ticked: the folder stands for it.
    node.checked = parent != kNoNode && m_nodes[parent].checked;
    node.parent = parent;
    const std::size_t added = m_nodes.size();
    m_nodes.push_back(std::move(node));
    (parent == kNoNode ? m_tops : m_nodes[parent].children).push_back(added);
    return added;
}

void BackupTree::CheckBelow(std::size_t node, bool checked)
{
    m_nodes[node].checked = checked;
    for (std::size_t child : m_nodes[node].children)
        CheckBelow(child, checked);
}

void BackupTree::Collect(std::size_t node, std::vector<RestoreItem>& items) const
{
    const TreeNode& shown = m_nodes[node];
    if (shown.checked && !shown.partial)
        items.push_back(
            {shown.at.holding, shown.isHolding ? std::string() : shown.at.item.copyPath, {}});
    else
        for (std::size_t child : shown.children)
            Collect(child, items);
}

} // namespace restore
