#include "model/install_directory.h"

#include "platform/file_tree.h"

#include <utility>

InstallDirectory::InstallDirectory(std::string root) : m_root(std::move(root))
{
}

std::string InstallDirectory::PathOf(const std::string& fileName) const
{
    return m_root + platform::kPathSeparator + fileName;
}
