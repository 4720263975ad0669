#pragma once

#include "backup/backup_selection.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

// Ten option states written in settings.dat order, "1" for ticked:
// Ticks("1000000010") is All File Types and System State.
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
    BackupSelection selection;
    selection.sources = std::move(sources);
    selection.destination = std::move(destination);
    selection.flags = Ticks(ticks);
    return selection;
}
