#pragma once

#include "backup/prompt.h"
#include "companion/shell.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

// Records every message box and answers each with `answer`.
struct RecordingPrompt : Prompt
{
    using Prompt::Show;

    int answer = 1; // IDOK
    std::vector<Message> shown;

    int Show(const std::string& text, const std::string& caption, unsigned type) override
    {
        shown.push_back(Message{text, caption, type});
        return answer;
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
