#pragma once

#include "model/backup_selection.h"
#include "model/prompt.h"
#include "model/shell.h"

#include <ctime>
#include <set>
#include <string>
#include <utility>
#include <vector>

// Records every message box and answers each with OK.
struct RecordingPrompt : Prompt
{
    std::vector<Message> shown;

    int Show(const std::string& text, const std::string& caption, unsigned type) override
    {
        shown.push_back(Message{text, caption, type});
        return 1;
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

// Ten option states in settings.dat order, "1" for ticked: "1000000010" is
// All File Types and System State.
inline std::array<bool, kOptionFlagCount> Ticks(const std::string& ticks)
{
    std::array<bool, kOptionFlagCount> flags{};
    for (size_t i = 0; i < ticks.size() && i < flags.size(); ++i)
        flags[i] = ticks[i] == '1';
    return flags;
}

inline BackupSelection Selection(std::vector<std::string> sources, std::string destination,
                                 const std::string& ticks)
{
    return BackupSelection{std::move(sources), std::move(destination), Ticks(ticks)};
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
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}
