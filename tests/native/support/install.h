#pragma once

#include "model/install_directory.h"
#include "model/prompt.h"
#include "model/shell.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

// File names with their bytes, "<folder>" for a folder.
using FileMap = std::map<std::string, std::string>;

// Records every message box; answers with the given buttons in turn, then OK.
struct RecordingPrompt : Prompt
{
    std::vector<Message> shown;
    std::vector<int> answers;

    int Show(const std::string& text, const std::string& caption, unsigned type) override
    {
        shown.push_back(Message{text, caption, type});
        return shown.size() <= answers.size() ? answers[shown.size() - 1] : 1;
    }
};

using Starts = std::vector<std::pair<std::string, int>>;

// Records every start and refuses the paths it is told to.
struct RecordingShell : Shell
{
    std::set<std::string> refused;
    Starts starts;

    bool Start(const std::string& path, int show) override
    {
        starts.emplace_back(path, show);
        return refused.count(path) == 0;
    }
};

// A fresh, empty install directory for one test, removed with everything in
// it at the end, and the recording ports the program talks through.
class Install
{
  public:
    RecordingPrompt prompt;
    RecordingShell shell;

    Install()
    {
        static int count = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        m_path = std::filesystem::temp_directory_path() /
                 ("corvane-test-" + std::to_string(stamp) + "-" + std::to_string(count++));
        std::filesystem::create_directories(m_path);
    }
    ~Install()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }

    std::string Path() const { return m_path.string(); }
    // Joined as text: a path object on Windows would read the name in another
    // code than the UTF-8 or ANSI it is given in.
    std::string PathOf(const std::string& name) const
    {
        return Path() + static_cast<char>(std::filesystem::path::preferred_separator) + name;
    }
    InstallDirectory Directory() const { return InstallDirectory(Path()); }

    // The whole file, or "<missing>".
    std::string Read(const std::string& name) const
    {
        std::ifstream in(m_path / name, std::ios::binary);
        return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
    }
    void Write(const FileMap& files) const
    {
        for (const auto& [name, bytes] : files)
            std::ofstream(m_path / name, std::ios::binary) << bytes;
    }
    void Write(const std::string& name, const std::string& bytes) const { Write({{name, bytes}}); }
    bool Exists(const std::string& name) const { return std::filesystem::exists(m_path / name); }
    // Everything in the folder: a leftover temporary file shows up too.
    FileMap Files() const
    {
        FileMap files;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            files[entry.path().filename().string()] =
                entry.is_directory() ? "<folder>" : Read(entry.path().filename().string());
        return files;
    }

  private:
    std::filesystem::path m_path;
};
