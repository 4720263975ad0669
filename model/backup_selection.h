#pragma once

#include <array>
#include <string>
#include <vector>

// The ten option boxes, in the order settings.dat keeps them.
enum class OptionFlag
{
    AllFileTypes,
    AutoBackupOnShutdown,
    BackupOnModify,
    Pictures,
    AudioMusic,
    Video,
    Documents,
    Hidden,
    SystemState,
    ModifiedOnly,
};

constexpr int kOptionFlagCount = 10;

// What a backup, a save or a load works on. The dialog's controls hold the
// live copy; a handler reads them into this value and hands it to the core.
struct BackupSelection
{
    // Full paths in the order they were added; repeats are kept.
    std::vector<std::string> sources;
    // Empty when no destination has been chosen.
    std::string destination;
    std::array<bool, kOptionFlagCount> flags{};

    bool IsTicked(OptionFlag flag) const { return flags[static_cast<int>(flag)]; }
    void SetTicked(OptionFlag flag, bool ticked) { flags[static_cast<int>(flag)] = ticked; }
};
