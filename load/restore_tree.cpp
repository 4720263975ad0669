#include "load/restore_tree.h"

#include "restore/restore_view.h"

#include <functional>
#include <map>

namespace
{

// Posted to the tree itself after a click or a key: the tree has toggled the
// box by the time it arrives.
constexpr UINT kSyncChecks = WM_APP + 20;

} // namespace

BOOL CBackupTree::Bind(UINT nID, CWnd* pParent, UINT checksChanged)
{
    m_pParent = pParent;
    m_checksChanged = checksChanged;
    if (!SubclassDlgItem(nID, pParent))
        return FALSE;
    // Given in the template, the boxes can lose their first state: the style
    // is set once the tree exists, before it holds an item.
    SetWindowLongPtrA(m_hWnd, GWL_STYLE, GetWindowLongPtrA(m_hWnd, GWL_STYLE) | TVS_CHECKBOXES);
    return TRUE;
}

void CBackupTree::ShowHoldings(const restore::BackupContents* contents)
{
    m_contents = contents;
    DeleteAllItems();
    m_nodes.clear();
    if (contents == nullptr)
        return;
    const std::vector<restore::Holding>& holdings = contents->Holdings();
    for (std::size_t i = 0; i < holdings.size(); ++i)
    {
        Node node;
        node.at = {i, holdings[i].item};
        node.isHolding = true;
        Add(TVI_ROOT, restore::HoldingLine(holdings[i]), node, !holdings[i].isFile);
    }
}

void CBackupTree::ShowFound(const std::vector<FoundFile>& found)
{
    DeleteAllItems();
    m_nodes.clear();
    const std::vector<restore::Holding>& holdings = m_contents->Holdings();
    std::map<std::size_t, HTREEITEM> tops;
    // Each folder made once, by its copy's path.
    std::map<std::string, HTREEITEM> folders;
    for (const FoundFile& file : found)
    {
        const restore::Holding& holding = holdings[file.holding];
        HTREEITEM& top = tops[file.holding];
        if (top == nullptr)
        {
            Node node;
            node.at = {file.holding, holding.item};
            node.isHolding = node.listed = true;
            node.partial = !holding.isFile;
            top = Add(TVI_ROOT, restore::HoldingLine(holding), node, !holding.isFile);
        }
        if (holding.isFile)
            continue;
        HTREEITEM parent = top;
        std::string folder = holding.copyPath;
        std::size_t at = folder.size() + 1;
        for (std::size_t end; (end = file.item.copyPath.find('\\', at)) != std::string::npos;
             at = end + 1)
        {
            folder = file.item.copyPath.substr(0, end);
            HTREEITEM& made = folders[folder];
            if (made == nullptr)
            {
                Node node;
                node.at = {file.holding, {file.item.copyPath.substr(at, end - at), folder, true}};
                node.listed = node.partial = true;
                made = Add(parent, node.at.item.name, node, true);
            }
            parent = made;
        }
        Node node;
        node.at = file;
        Add(parent, restore::ItemLine(file.item), node, false);
    }
    for (const auto& [holding, top] : tops)
        Expand(top, TVE_EXPAND);
    for (const auto& [path, folder] : folders)
        Expand(folder, TVE_EXPAND);
}

BOOL CBackupTree::OnParentNotify(const NMHDR& header)
{
    // The tree speaks the dialog's character set or Unicode: both carry the
    // item and the action at the same places.
    if (header.code != TVN_ITEMEXPANDINGA && header.code != TVN_ITEMEXPANDINGW)
        return FALSE;
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    if (change.action & TVE_EXPAND)
        List(change.itemNew.hItem);
    return TRUE;
}

std::vector<restore::RestoreItem> CBackupTree::Checked() const
{
    std::vector<restore::RestoreItem> items;
    ForEachItem(GetChildItem(TVI_ROOT), [&](HTREEITEM item) { Collect(item, items); });
    return items;
}

const FoundFile* CBackupTree::SelectedFile() const
{
    const HTREEITEM selected = GetSelectedItem();
    if (selected == nullptr)
        return nullptr;
    const Node& node = NodeOf(selected);
    const bool isFile =
        node.isHolding ? m_contents->Holdings()[node.at.holding].isFile : !node.at.item.isFolder;
    return isFile ? &node.at : nullptr;
}

LRESULT CBackupTree::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kSyncChecks)
    {
        m_syncPosted = false;
        SyncChecks();
        return 0;
    }
    const LRESULT result = CTreeCtrl::WindowProc(message, wParam, lParam);
    const bool space =
        (message == WM_KEYUP || message == WM_CHAR) && (wParam == VK_SPACE || wParam == ' ');
    if ((message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || space) && !m_syncPosted)
        m_syncPosted = PostMessage(kSyncChecks);
    return result;
}

HTREEITEM CBackupTree::Add(HTREEITEM parent, const std::string& text, Node node, bool hasChildren)
{
    // Below a checked folder an item comes checked: the folder stands for it.
    node.checked = parent != TVI_ROOT && GetCheck(parent);
    m_nodes.push_back(std::move(node));
    const HTREEITEM item =
        InsertItem(text, parent, static_cast<LPARAM>(m_nodes.size() - 1), hasChildren);
    if (item != nullptr && m_nodes.back().checked)
        SetCheck(item, TRUE);
    return item;
}

void CBackupTree::List(HTREEITEM item)
{
    if (NodeOf(item).listed)
        return;
    NodeOf(item).listed = true;
    const FoundFile at = NodeOf(item).at;
    const restore::Holding& holding = m_contents->Holdings()[at.holding];
    const std::vector<restore::BackupItem> items =
        m_contents->List(holding, NodeOf(item).isHolding ? holding.copyPath : at.item.copyPath);
    for (const restore::BackupItem& listed : items)
    {
        Node node;
        node.at = {at.holding, listed};
        Add(item, restore::ItemLine(listed), std::move(node), listed.isFolder);
    }
    if (items.empty())
        SetHasChildren(item, false);
}

void CBackupTree::SyncChecks()
{
    std::vector<HTREEITEM> changed;
    const std::function<void(HTREEITEM)> find = [&](HTREEITEM item) {
        if (static_cast<bool>(GetCheck(item)) != NodeOf(item).checked)
            changed.push_back(item);
        ForEachItem(GetChildItem(item), find);
    };
    ForEachItem(GetChildItem(TVI_ROOT), find);
    if (changed.empty())
        return;
    for (HTREEITEM item : changed)
    {
        const BOOL check = GetCheck(item);
        CheckBelow(item, check);
        for (HTREEITEM above = GetParentItem(item); !check && above != nullptr;
             above = GetParentItem(above))
        {
            SetCheck(above, FALSE);
            NodeOf(above).checked = false;
        }
    }
    m_pParent->PostMessage(m_checksChanged);
}

void CBackupTree::CheckBelow(HTREEITEM item, BOOL check)
{
    SetCheck(item, check);
    NodeOf(item).checked = check;
    ForEachItem(GetChildItem(item), [&](HTREEITEM child) { CheckBelow(child, check); });
}

void CBackupTree::Collect(HTREEITEM item, std::vector<restore::RestoreItem>& items) const
{
    const Node& node = NodeOf(item);
    if (GetCheck(item) && !node.partial)
        items.push_back(
            {node.at.holding, node.isHolding ? std::string() : node.at.item.copyPath, {}});
    else
        ForEachItem(GetChildItem(item), [&](HTREEITEM child) { Collect(child, items); });
}

template <typename Visit> void CBackupTree::ForEachItem(HTREEITEM first, Visit visit) const
{
    for (HTREEITEM item = first; item != nullptr; item = GetNextSiblingItem(item))
        visit(item);
}

CBackupTree::Node& CBackupTree::NodeOf(HTREEITEM item)
{
    return m_nodes[static_cast<std::size_t>(GetItemData(item))];
}

const CBackupTree::Node& CBackupTree::NodeOf(HTREEITEM item) const
{
    return m_nodes[static_cast<std::size_t>(GetItemData(item))];
}
