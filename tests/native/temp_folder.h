#pragma once

#include <filesystem>
#include <map>
#include <string>

// File names with their bytes.
using FileMap = std::map<std::string, std::string>;

// A fresh, empty folder for one test, removed with everything in it at the end.
class TempFolder
{
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const { return m_path.string(); }
    std::string PathOf(const std::string& name) const { return (m_path / name).string(); }

    // Whole file as bytes, or "<missing>" when there is none.
    std::string Read(const std::string& name) const;
    void Write(const std::string& name, const std::string& bytes) const;
    void Write(const FileMap& files) const;
    bool Exists(const std::string& name) const;
    // Every name in the folder with its bytes, "<folder>" for a folder: a
    // leftover temporary file shows up as well as a wrong one.
    FileMap Files() const;

  private:
    std::filesystem::path m_path;
};
