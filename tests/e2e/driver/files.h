#pragma once

#include <map>
#include <optional>
#include <string>

// File access for the checks, with UTF-8 paths (wide calls underneath, so
// names outside ASCII reach the disk as the user's names).
namespace e2e
{

std::optional<std::string> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
void MakeFolders(const std::string& path);
void Remove(const std::string& path);
void SetHidden(const std::string& path);

unsigned long long WriteTime(const std::string& path);
void SetWriteTime(const std::string& path, unsigned long long time);

// Every file below `root`, by its path relative to `root`, with its bytes.
using FileTree = std::map<std::string, std::string>;
FileTree ReadTree(const std::string& root);

// One line per difference, empty when the trees are equal.
std::string DescribeDifferences(const FileTree& actual, const FileTree& expected);

} // namespace e2e
