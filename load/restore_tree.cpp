#include "load/restore_tree.h"

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
    m_model.ShowHoldings(contents);
    ShowModel();
}

void CBackupTree::ShowFound(const std::vector<restore::FoundFile>& found)
{
    m_model.ShowFound(found);
    ShowModel();
}

BOOL CBackupTree::OnParentNotify(const NMHDR& header)
{
    // The tree speaks the dialog's character set or Unicode: both carry the
    // item and the action at the same places.
    if (header.code != TVN_ITEMEXPANDINGA && header.code != TVN_ITEMEXPANDINGW)
        return FALSE;
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    const HTREEITEM item = change.itemNew.hItem;
    const std::size_t node = NodeOf(item);
    if ((change.action & TVE_EXPAND) && m_model.Open(node))
    {
        m_items.resize(m_model.Size());
        AddItems(item, m_model.Node(node).children);
        if (!m_model.Node(node).opens)
            SetHasChildren(item, false);
    }
    return TRUE;
}

const restore::FoundFile* CBackupTree::SelectedFile() const
{
    const HTREEITEM selected = GetSelectedItem();
    return selected == nullptr ? nullptr : m_model.FileAt(NodeOf(selected));
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

void CBackupTree::ShowModel()
{
    DeleteAllItems();
    m_items.assign(m_model.Size(), nullptr);
    AddItems(TVI_ROOT, m_model.Tops());
    for (std::size_t node = 0; node < m_items.size(); ++node)
        if (m_items[node] != nullptr && !m_model.Node(node).children.empty())
            Expand(m_items[node], TVE_EXPAND);
}

void CBackupTree::AddItems(HTREEITEM parent, const std::vector<std::size_t>& nodes)
{
    for (std::size_t node : nodes)
    {
        const restore::TreeNode& shown = m_model.Node(node);
        const HTREEITEM item =
            InsertItem(shown.line, parent, static_cast<LPARAM>(node), shown.opens);
        if (item == nullptr)
            continue;
        m_items[node] = item;
        if (shown.checked)
            SetCheck(item, TRUE);
        AddItems(item, shown.children);
    }
}

void CBackupTree::SyncChecks()
{
    // The boxes the user changed since the model last set them.
    std::vector<std::size_t> changed;
    for (std::size_t node = 0; node < m_items.size(); ++node)
        if (BoxDiffers(node))
            changed.push_back(node);
    if (changed.empty())
        return;
    for (std::size_t node : changed)
        m_model.Check(node, GetCheck(m_items[node]) != FALSE);
    for (std::size_t node = 0; node < m_items.size(); ++node)
        if (BoxDiffers(node))
            SetCheck(m_items[node], m_model.Node(node).checked);
    m_pParent->PostMessage(m_checksChanged);
}

bool CBackupTree::BoxDiffers(std::size_t node) const
{
    return m_items[node] != nullptr &&
           (GetCheck(m_items[node]) != FALSE) != m_model.Node(node).checked;
}

std::size_t CBackupTree::NodeOf(HTREEITEM item) const
{
    return static_cast<std::size_t>(GetItemData(item));
}
