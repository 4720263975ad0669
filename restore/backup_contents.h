#pragma once

#include "companions/saved_plan.h"
#include "platform/file_tree.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// What a backup holds, by source, read from the destination itself: the
// inverse of the places the copy plan gives its copies.
namespace restore
{

enum class HoldingKind
{
    // A source of the saved selection.
    Source,
    // A mirrored folder or file that no saved source covers: copies of an
    // earlier selection.
    NotInSelection,
    // What no source explains: with one source, the files of the
    // destination the plan would not copy from it. Restored elsewhere only.
    OtherFiles,
    // The copy of the system folder. Restored elsewhere only, never over the
    // running system's folder.
    SystemState,
};

// One file or folder of the backup.
struct BackupItem
{
    // As the copy is named.
    std::string name;
    // The copy's full path in the destination.
    std::string copyPath;
    // A folder, never a link to one.
    bool isFolder = false;
    // A symbolic link or junction, which the restore never follows: someone
    // who may write in the backup can point one anywhere.
    bool isLink = false;
    std::uint64_t size = 0;
    // When the copy was made: its own last-write time.
    platform::FileTime lastWrite{};
    // The versions the backup keeps of a file.
    int versions = 0;
};

// A top node of the tree.
struct Holding
{
    HoldingKind kind = HoldingKind::Source;
    // The source as the user wrote it; the original path of a folder not in
    // the selection; "Other files"; "System State".
    std::string label;
    // The folder (or, for a single file, the file) in the destination.
    std::string copyPath;
    // Where "Restore" puts the holding's copies back; empty where only
    // "Restore To..." may.
    std::string originalPath;
    // A holding that is one file (a file source, a lone file not in the
    // selection): `item` describes it.
    bool isFile = false;
    BackupItem item;
    // The source's place in the saved plan (Source only).
    std::size_t planSource = 0;
    // With one source, its files and the other files share the destination:
    // the plan's names tell them apart.
    enum class Names
    {
        All,
        Copied,
        NotCopied,
    } names = Names::All;
};

inline constexpr const char* kOtherFilesLabel = "Other files";
inline constexpr const char* kSystemStateLabel = "System State";

class BackupContents
{
  public:
    // The holdings of the saved plan's destination: the saved sources first,
    // in list order, then the mirrored folders no source covers, then "Other
    // files", then System State; a holding only where the destination has
    // copies for it (a saved source always shows). Cheap: only the folders
    // above the sources' mirrors are listed. Nothing when the destination is
    // not there.
    static std::optional<BackupContents> Read(companions::SavedPlan saved,
                                              platform::FileTree& files);

    const std::string& Destination() const { return m_saved.plan.destination; }
    const std::vector<Holding>& Holdings() const { return m_holdings; }
    const companions::SavedPlan& Saved() const { return m_saved; }
    platform::FileTree& Files() const { return *m_files; }

    // The files and folders directly in `folder` (the holding's copyPath or a
    // folder below it), folders first, each by name; unfinished copies
    // ("*.corvane-part") and the program's own folders are left out.
    std::vector<BackupItem> List(const Holding& holding, const std::string& folder) const;

    // Every file and link of a holding below `folder` (or the holding's file
    // itself), depth first, never through a link; false from `visit` stops
    // the walk, and is returned.
    bool Walk(const Holding& holding, const std::string& folder,
              const std::function<bool(const BackupItem&)>& visit) const;

  private:
    BackupContents(companions::SavedPlan saved, platform::FileTree& files);
    void Find();
    // The saved sources' holdings; returns their copies' paths as the file
    // system compares them.
    std::set<std::string> AddSources(const std::vector<std::size_t>& sources);
    bool Belongs(const Holding& holding, const std::string& folder, std::string_view name,
                 const platform::FileFacts& facts) const;
    // The entries of `folder` that belong to the holding, in the order listed.
    void ForEach(const Holding& holding, const std::string& folder,
                 const std::function<void(BackupItem&&)>& visit) const;

    companions::SavedPlan m_saved;
    platform::FileTree* m_files;
    std::vector<Holding> m_holdings;
};

} // namespace restore
