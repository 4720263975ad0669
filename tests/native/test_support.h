#pragma once

#include "model/backup_selection.h"
#include "model/install_directory.h"
#include "model/prompt.h"
#include "model/shell.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
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
    std::string PathOf(const std::string& name) const { return (m_path / name).string(); }
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

// The ticks are ten option states in settings.dat order, "1" for ticked:
// "1000000010" is All File Types and System State.
inline BackupSelection Selection(std::vector<std::string> sources, std::string destination,
                                 const std::string& ticks)
{
    BackupSelection selection{std::move(sources), std::move(destination), {}};
    for (size_t i = 0; i < ticks.size(); ++i)
        selection.flags[i] = ticks[i] == '1';
    return selection;
}

// The stop icon and caption of every error but the run's three refusals.
inline Message Error(const std::string& text)
{
    return Message{text, "ERROR", kStopType};
}

// The ANSI "é" as batch files carry it: in the OEM code page the command
// interpreter reads them in on Windows, as it stands elsewhere.
#ifdef _WIN32
inline const std::string kBatchE = "\x82";
#else
inline const std::string kBatchE = "\xE9";
#endif

// A run's start in local time, as a report is named after it.
inline std::tm LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time{};
    std::tie(time.tm_year, time.tm_mon, time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec) =
        std::make_tuple(year - 1900, month - 1, day, hour, minute, second);
    return time;
}
