#pragma once

#include "restore/backup_contents.h"
#include "restore/restore_plan.h"
#include "framework/framework.h"

#include <vector>

// A file a filter found: the holding it belongs to and the file.
struct FoundFile
{
    std::size_t holding = 0;
    restore::BackupItem item;
};

// The backup as the restore window shows it: each holding a top item, a
// folder's items listed when it is first expanded, and a check box on each
// item for what to restore. Checking an item checks what is below it;
// clearing one clears what is below it and the folders above it, so that a
// checked item always stands for all it holds.
class CBackupTree : public CTreeCtrl
{
  public:
    // Binds the dialog's tree; `checksChanged` is posted to the dialog after
    // the user ticks or clears a box.
    BOOL Bind(UINT nID, CWnd* pParent, UINT checksChanged);
    // The holdings of `contents` as top items, none listed yet; null empties
    // the tree. `contents` must outlive what the tree shows of it.
    void ShowHoldings(const restore::BackupContents* contents);
    // Only the files a filter found, each below its holding and folders, all
    // expanded.
    void ShowFound(const std::vector<FoundFile>& found);

    // The parent's WM_NOTIFY from the tree: lists a folder that opens for the
    // first time. FALSE for a notification it leaves alone.
    BOOL OnParentNotify(const NMHDR& header);

    // The checked items, as a restore asks for them.
    std::vector<restore::RestoreItem> Checked() const;
    // The holding and file of the selected item, when it is a file.
    const FoundFile* SelectedFile() const;

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    struct Node
    {
        FoundFile at;
        // The holding itself, not an item below it.
        bool isHolding = false;
        // Its items are in the tree.
        bool listed = false;
        // Its items are those a filter found, not all it holds.
        bool partial = false;
        // The box as last seen, to tell which ones the user changed.
        bool checked = false;
    };

    HTREEITEM Add(HTREEITEM parent, const std::string& text, Node node, bool hasChildren);
    void List(HTREEITEM item);
    void SyncChecks();
    void CheckBelow(HTREEITEM item, BOOL check);
    void Collect(HTREEITEM item, std::vector<restore::RestoreItem>& items) const;
    template <typename Visit> void ForEachItem(HTREEITEM first, Visit visit) const;
    Node& NodeOf(HTREEITEM item);
    const Node& NodeOf(HTREEITEM item) const;

    const restore::BackupContents* m_contents = nullptr;
    std::vector<Node> m_nodes;
    CWnd* m_pParent = nullptr;
    UINT m_checksChanged = 0;
    bool m_syncPosted = false;
};
