#pragma once

#include "platform/file_tree.h"

#include <string>

namespace agent
{

// The file port with one folder out of reach: everything at or below it
// reads as absent, and nothing there is asked of the disk or the share. So a
// run whose destination did not answer a look, or is not this computer's
// backup, judges and reports without waiting on it, and writes nothing there.
class FolderOutOfReach final : public platform::FileTree
{
  public:
    FolderOutOfReach(platform::FileTree& files, const std::string& folder);

    std::optional<platform::FileFacts> Facts(const std::string& path) override;
    bool List(const std::string& folder, const platform::FolderVisit& visit) override;
    bool ListStartingWith(const std::string& folder, std::string_view prefix,
                          const platform::FolderVisit& visit) override;
    bool IsAbsent(const std::string& path) override;
    bool IsDenied(const std::string& path) override;
    std::optional<platform::FileIdentity> Identity(const std::string& path) override;
    platform::PathTarget Target(const std::string& path) override;
    std::string UniversalName(const std::string& path) override;
    std::unique_ptr<platform::HeldFolders> MakeFoldersBelow(const std::string& root,
                                                            const std::string& path) override;
    using platform::FileTree::Copy;
    platform::CopyResult Copy(const std::string& from, const std::string& to,
                              const std::string& keepAs) override;
    platform::OpenedFile OpenToRead(const std::string& path) override;
    bool MakeFile(const std::string& path) override;
    bool Rename(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    using platform::FileTree::Replace;
    bool Replace(const std::string& path, const platform::NextPiece& next) override;
    bool ClearArchive(const std::string& path) override;
    std::optional<std::uint64_t> FreeSpace(const std::string& folder) override;
    bool HeldByAnotherProgram(const std::string& path) override;
    std::string FoldCase(std::string path) const override;

  private:
    bool OutOfReach(const std::string& path) const;

    platform::FileTree& m_files;
    std::string m_upperFolder;
};

} // namespace agent
