#include "agent/folder_out_of_reach.h"

#include "platform/path_text.h"

namespace agent
{

FolderOutOfReach::FolderOutOfReach(platform::FileTree& files, const std::string& folder)
    : m_files(files), m_upperFolder(files.FoldCase(folder))
{
}

bool FolderOutOfReach::OutOfReach(const std::string& path) const
{
    return platform::IsAtOrBelowFolder(m_files.FoldCase(path), m_upperFolder);
}

std::optional<platform::FileFacts> FolderOutOfReach::Facts(const std::string& path)
{
    return OutOfReach(path) ? std::nullopt : m_files.Facts(path);
}

bool FolderOutOfReach::List(const std::string& folder, const platform::FolderVisit& visit)
{
    return !OutOfReach(folder) && m_files.List(folder, visit);
}

bool FolderOutOfReach::ListStartingWith(const std::string& folder, std::string_view prefix,
                                        const platform::FolderVisit& visit)
{
    return !OutOfReach(folder) && m_files.ListStartingWith(folder, prefix, visit);
}

bool FolderOutOfReach::IsAbsent(const std::string& path)
{
    return OutOfReach(path) || m_files.IsAbsent(path);
}

bool FolderOutOfReach::IsDenied(const std::string& path)
{
    return !OutOfReach(path) && m_files.IsDenied(path);
}

std::optional<platform::FileIdentity> FolderOutOfReach::Identity(const std::string& path)
{
    return OutOfReach(path) ? std::nullopt : m_files.Identity(path);
}

platform::PathTarget FolderOutOfReach::Target(const std::string& path)
{
    return OutOfReach(path) ? platform::PathTarget{} : m_files.Target(path);
}

std::string FolderOutOfReach::UniversalName(const std::string& path)
{
    return OutOfReach(path) ? path : m_files.UniversalName(path);
}

std::unique_ptr<platform::HeldFolders> FolderOutOfReach::MakeFoldersBelow(const std::string& root,
                                                                          const std::string& path)
{
    return OutOfReach(path) ? nullptr : m_files.MakeFoldersBelow(root, path);
}

platform::CopyResult FolderOutOfReach::Copy(const std::string& from, const std::string& to,
                                            const std::string& keepAs)
{
    if (OutOfReach(from) || OutOfReach(to) || (!keepAs.empty() && OutOfReach(keepAs)))
        return platform::CopyResult::Failed;
    return m_files.Copy(from, to, keepAs);
}

platform::OpenedFile FolderOutOfReach::OpenToRead(const std::string& path)
{
    return OutOfReach(path) ? platform::OpenedFile{} : m_files.OpenToRead(path);
}

bool FolderOutOfReach::MakeFile(const std::string& path)
{
    return !OutOfReach(path) && m_files.MakeFile(path);
}

bool FolderOutOfReach::Rename(const std::string& from, const std::string& to)
{
    return !OutOfReach(from) && !OutOfReach(to) && m_files.Rename(from, to);
}

bool FolderOutOfReach::Remove(const std::string& path)
{
    return !OutOfReach(path) && m_files.Remove(path);
}

bool FolderOutOfReach::Replace(const std::string& path, const platform::NextPiece& next)
{
    return !OutOfReach(path) && m_files.Replace(path, next);
}

bool FolderOutOfReach::ClearArchive(const std::string& path)
{
    return !OutOfReach(path) && m_files.ClearArchive(path);
}

std::optional<std::uint64_t> FolderOutOfReach::FreeSpace(const std::string& folder)
{
    return OutOfReach(folder) ? std::nullopt : m_files.FreeSpace(folder);
}

bool FolderOutOfReach::HeldByAnotherProgram(const std::string& path)
{
    return !OutOfReach(path) && m_files.HeldByAnotherProgram(path);
}

std::string FolderOutOfReach::FoldCase(std::string path) const
{
    return m_files.FoldCase(std::move(path));
}

} // namespace agent
