#pragma once

#include "platform/file_tree.h"

#include <string>
#include <vector>

namespace agent
{

// The saved files whose copy waits for the destination to come back, kept
// in the profile so that neither the end of the session nor a crash loses
// one; the list is replaced whole. Each is copied from the file as it is
// when the destination is back.
class WaitingSaves
{
  public:
    WaitingSaves(std::string localAppData, platform::FileTree& files);

    const std::vector<std::string>& Files() const { return m_files; }
    void Add(const std::vector<std::string>& paths);
    void Remove(const std::vector<std::string>& paths);

  private:
    void Write();

    std::string m_localAppData;
    platform::FileTree& m_tree;
    std::vector<std::string> m_files;
};

} // namespace agent
