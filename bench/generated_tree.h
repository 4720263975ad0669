#pragma once

#include <filesystem>
#include <string>

// 100 folders of 10 subfolders of 100 files, the names of a user's files,
// made once in the temporary folder and removed at exit.
class GeneratedTree
{
  public:
    GeneratedTree();
    ~GeneratedTree();
    GeneratedTree(const GeneratedTree&) = delete;
    GeneratedTree& operator=(const GeneratedTree&) = delete;

    std::string Root() const { return m_root.string(); }

  private:
    std::filesystem::path m_root = std::filesystem::temp_directory_path() / "corvane-bench-tree";
};

const GeneratedTree& Tree();

// The baseline of a walk: a bare recursive listing that reads each file's
// size and time.
void ListBare(const std::string& root);
