#pragma once

#include "restore/backup_contents.h"
#include "restore/find_in_backup.h"
#include "restore/restore_plan.h"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace restore
{

// The parent of a top node.
inline constexpr std::size_t kNoNode = static_cast<std::size_t>(-1);

// One node of the tree: a holding, or a folder or file below one.
struct TreeNode
{
    // The holding, and the folder or file (a holding's own file, if any).
    FoundFile at;
    bool isHolding = false;
    // What the tree shows.
    std::string line;
    // It may hold items: a holding or a folder not yet found empty.
    bool opens = false;
    // Its items are in the tree.
    bool listed = false;
    // Its items are those a filter found, not all it holds.
    bool partial = false;
    bool checked = false;
    std::size_t parent = kNoNode;
    std::vector<std::size_t> children;
};

// The backup as the restore window shows it: each holding a top node, a
// folder's items listed when it first opens, and a tick on each node for
// what to restore. Ticking a node ticks what is below it; clearing one clears
// what is below it and the folders above it, so that a ticked node always
// stands for all it holds.
class BackupTree
{
  public:
    // The holdings of `contents` as top nodes, none listed; null empties the
    // tree. `contents` must outlive what the tree shows of it.
    void ShowHoldings(const BackupContents* contents);
    // Only the files a filter found, each below its holding and folders, all
    // listed.
    void ShowFound(const std::vector<FoundFile>& found);

    // Lists the node's items the first time it opens, ticked where the node
    // is: false when they were listed already.
    bool Open(std::size_t node);
    // The user ticks or clears a node.
    void Check(std::size_t node, bool checked);

    // The ticked items, as a restore asks for them.
    std::vector<RestoreItem> Checked() const;
    // The holding and file of a node that is a file; null for any other.
    const FoundFile* FileAt(std::size_t node) const;

    const std::vector<std::size_t>& Tops() const { return m_tops; }
    const TreeNode& Node(std::size_t node) const { return m_nodes[node]; }
    std::size_t Size() const { return m_nodes.size(); }

  private:
    void Clear();
    std::size_t Add(std::size_t parent, TreeNode node);
    // The folder nodes between a found file's holding and the file.
    std::size_t FoldersOf(const FoundFile& file, std::size_t top,
                          std::map<std::string, std::size_t>& folders);
    void CheckBelow(std::size_t node, bool checked);
    void Collect(std::size_t node, std::vector<RestoreItem>& items) const;

    const BackupContents* m_contents = nullptr;
    std::vector<TreeNode> m_nodes;
    std::vector<std::size_t> m_tops;
};

} // namespace restore
