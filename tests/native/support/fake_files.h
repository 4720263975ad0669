#pragma once

#include "platform/file_tree.h"
#include "platform/path_text.h"

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Bytes in memory, read a piece at a time; `size` is what the file held when
// it was opened.
class BytesReader : public platform::FileReader
{
  public:
    BytesReader(std::string bytes, std::uint64_t size) : m_bytes(std::move(bytes)), m_size(size) {}
    std::uint64_t Size() override { return m_size; }
    std::optional<size_t> Take(char* into, size_t size) override
    {
        const size_t taken = m_bytes.copy(into, size, m_at);
        m_at += taken;
        return taken;
    }

  private:
    std::string m_bytes;
    std::uint64_t m_size;
    size_t m_at = 0;
};

// Files in memory, by full path: hidden files, archive bits and files still
// open for writing, on every platform.
class FakeFiles : public platform::FileTree
{
  public:
    // A file last written at `second`, its archive bit set, in folders that
    // are made as needed.
    void AddFile(const std::string& path, std::int64_t second, bool hidden = false,
                 std::uint64_t size = 1)
    {
        Add(path, {false, false, hidden, true, size, std::chrono::seconds(second)});
    }
    void AddFolder(const std::string& path, bool hidden) { Add(path, {true, false, hidden}); }

    std::map<std::string, platform::FileFacts> entries;
    // What the files hold that were written or copied whole; others read as empty.
    std::map<std::string, std::string> bytes;
    // Open for writing by another program.
    std::set<std::string> busy;
    std::vector<std::pair<std::string, std::string>> copies;

    std::optional<platform::FileFacts> Facts(const std::string& path) override
    {
        return entries.count(path) ? std::optional(entries[path]) : std::nullopt;
    }

    bool List(const std::string& folder, const platform::FolderVisit& visit) override
    {
        for (const auto& [path, facts] : entries)
            if (platform::ParentFolder(path) == folder)
                visit(platform::LastComponent(path), facts);
        return true;
    }

    using platform::FileTree::Copy;
    // Open in another program, not to be moved.
    std::set<std::string> heldOpen;
    // A destination that cannot keep an old copy under another name.
    bool refusesToKeep = false;

    platform::CopyResult Copy(const std::string& from, const std::string& to,
                              const std::string& keepAs) override
    {
        if (busy.count(from))
            return platform::CopyResult::SourceBusy;
        if (denied.count(from))
            return platform::CopyResult::Failed;
        const std::optional<platform::FileFacts> facts = Facts(from);
        if (!facts)
            return platform::CopyResult::Failed;
        // Into folders that stand, as the disk's copy.
        if (!IsFolder(platform::ParentFolder(to)))
            return platform::CopyResult::Failed;
        if (heldOpen.count(to))
            return platform::CopyResult::TargetBusy;
        if (!keepAs.empty() && entries.count(to))
        {
            if (refusesToKeep || entries.count(keepAs) || !IsFolder(platform::ParentFolder(keepAs)))
                return platform::CopyResult::NotKept;
            Add(keepAs, entries[to]);
            bytes[keepAs] = bytes[to];
        }
        Add(to, {false, false, false, true, facts->size, facts->lastWrite});
        bytes[to] = bytes[from];
        copies.emplace_back(from, to);
        return platform::CopyResult::Copied;
    }

    bool Rename(const std::string& from, const std::string& to) override
    {
        if (!IsFile(from) || entries.count(to) || !IsFolder(platform::ParentFolder(to)))
            return false;
        entries[to] = entries[from];
        bytes[to] = bytes[from];
        return Remove(from);
    }

    bool Remove(const std::string& path) override
    {
        if (IsFolder(path))
            return false;
        bytes.erase(path);
        return entries.erase(path) == 1;
    }

    platform::OpenedFile OpenToRead(const std::string& path) override
    {
        if (!entries.count(path))
            return {platform::ReadResult::Missing, {}};
        if (entries[path].isFolder)
            return {platform::ReadResult::Unreadable, {}};
        const std::string& held = bytes[path];
        return {platform::ReadResult::Read, std::make_unique<BytesReader>(held, held.size())};
    }

    using platform::FileTree::Replace;
    // Into a folder that stands, as the disk's are.
    bool Replace(const std::string& path, const platform::NextPiece& next) override
    {
        if (!IsFolder(platform::ParentFolder(path)) || IsFolder(path))
            return false;
        std::string written;
        for (std::string_view piece = next(); !piece.empty(); piece = next())
            written += piece;
        Add(path, {false, false, false, true, written.size()});
        bytes[path] = std::move(written);
        return true;
    }

    bool MakeFile(const std::string& path) override
    {
        if (!entries.count(path) && IsFolder(platform::ParentFolder(path)))
            Add(path, {false, false, false, true, 0});
        return IsFile(path);
    }

    bool ClearArchive(const std::string& path) override
    {
        entries.at(path).archive = false;
        return true;
    }

    // Nothing: it cannot be told.
    std::optional<std::uint64_t> freeSpace;
    std::optional<std::uint64_t> FreeSpace(const std::string&) override { return freeSpace; }
    // A file open for writing by another program holds it as Windows does.
    bool HeldByAnotherProgram(const std::string& path) override { return busy.count(path) > 0; }

    // Another name for a folder of the tree (a mapped drive, a junction):
    // every path below `alias` has the identity of the same path below `folder`.
    std::map<std::string, std::string> aliases;
    // Mapped drives: the UNC form of paths that begin with the key.
    std::map<std::string, std::string> universal;

    bool IsAbsent(const std::string& path) override { return !Identity(path); }
    // Paths the user may not look at (a share that refuses the user's log-on).
    std::set<std::string> denied;
    bool IsDenied(const std::string& path) override { return denied.count(path) != 0; }

    std::optional<platform::FileIdentity> Identity(const std::string& path) override
    {
        std::string real = path;
        for (const auto& [alias, folder] : aliases)
            if (platform::IsAtOrBelowFolder(path, alias))
                real = folder + path.substr(alias.size());
        if (!entries.count(real))
            return std::nullopt;
        return platform::FileIdentity{1, std::hash<std::string>{}(real)};
    }

    std::string UniversalName(const std::string& path) override
    {
        for (const auto& [drive, share] : universal)
            if (path.rfind(drive, 0) == 0)
                return share + path.substr(drive.size());
        return path;
    }

    // A folder made wherever no file stands, as a test sets the tree up.
    bool MakeFolders(const std::string& path)
    {
        if (!entries.count(path))
            Add(path, platform::FileFacts{true});
        return entries[path].isFolder;
    }
    // A junction or symbolic link to a folder, planted by someone else.
    void AddFolderLink(const std::string& path) { Add(path, {true, true}); }
    // As the disk's: a link below the root fails the call.
    std::unique_ptr<platform::HeldFolders> MakeFoldersBelow(const std::string& root,
                                                            const std::string& path) override
    {
        if (!IsFolder(root) || !platform::IsAtOrBelowFolder(path, root))
            return nullptr;
        for (std::string folder = path; folder.size() > root.size();
             folder = platform::ParentFolder(folder))
        {
            const std::optional<platform::FileFacts> facts = Facts(folder);
            if (facts && (!facts->isFolder || facts->isLink))
                return nullptr;
        }
        MakeFolders(path);
        return std::make_unique<platform::HeldFolders>();
    }
    std::string FoldCase(std::string path) const override
    {
        return platform::LocalFiles().FoldCase(std::move(path));
    }

    // An entry as it is, in folders that are made as needed.
    void Add(const std::string& path, const platform::FileFacts& facts)
    {
        entries[path] = facts;
        for (std::string folder = platform::ParentFolder(path);
             !folder.empty() && !entries.count(folder); folder = platform::ParentFolder(folder))
            entries[folder] = platform::FileFacts{true};
    }
};
