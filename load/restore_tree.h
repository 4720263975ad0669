#pragma once

#include "framework/framework.h"
#include "restore/backup_tree.h"

#include <vector>

// The restore window's tree: shows a restore::BackupTree, an item for each
// node and a check box for each tick. A box the user changes goes to the
// model, and the ticks the model gives back go to the boxes.
class CBackupTree : public CTreeCtrl
{
  public:
    // Binds the dialog's tree; `checksChanged` is posted to the dialog after
    // the user ticks or clears a box.
    BOOL Bind(UINT nID, CWnd* pParent, UINT checksChanged);
    // The holdings of `contents`; null empties the tree. `contents` must
    // outlive what the tree shows of it.
    void ShowHoldings(const restore::BackupContents* contents);
    // Only the files a filter found, all opened.
    void ShowFound(const std::vector<restore::FoundFile>& found);

    // The parent's WM_NOTIFY from the tree: lists a folder that opens for the
    // first time. FALSE for a notification it leaves alone.
    BOOL OnParentNotify(const NMHDR& header);

    // The checked items, as a restore asks for them.
    std::vector<restore::RestoreItem> Checked() const { return m_model.Checked(); }
    // The holding and file of the selected item, when it is a file.
    const restore::FoundFile* SelectedFile() const;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    // Every node of the model as an item, the listed ones opened.
    void ShowModel();
    void AddItems(HTREEITEM parent, const std::vector<std::size_t>& nodes);
    void SyncChecks();
    // Whether the node's box shows other than its tick.
    bool BoxDiffers(std::size_t node) const;
    std::size_t NodeOf(HTREEITEM item) const;

    restore::BackupTree m_model;
    // The item of each node.
    std::vector<HTREEITEM> m_items;
    CWnd* m_pParent = nullptr;
    UINT m_checksChanged = 0;
    bool m_syncPosted = false;
};
