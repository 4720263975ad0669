#include "agent/last_complete_backup.h"

#include "companions/report.h"

#include <charconv>
#include <optional>
#include <vector>

namespace agent
{
namespace
{

// One line: the seconds since 1970 in UTC, so that neither a change of time
// zone nor of summer time moves it.
constexpr const char* kTimeFile = "last complete backup.txt";

std::optional<UtcSeconds> Parse(const std::vector<std::string>& lines)
{
    if (lines.size() != 1)
        return std::nullopt;
    const std::string& text = lines.front();
    UtcSeconds seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    if (error != std::errc() || end != text.data() + text.size() || seconds < 0)
        return std::nullopt;
    return seconds;
}

} // namespace

UtcSeconds ReadLastCompleteBackup(const std::string& localAppData, UtcSeconds now,
                                  platform::FileTree& files)
{
    const std::optional<UtcSeconds> kept =
        Parse(companions::ReadProfileList(localAppData, kTimeFile, files));
    if (kept && *kept <= now)
        return *kept;
    KeepLastCompleteBackup(localAppData, now, files);
    return now;
}

bool KeepLastCompleteBackup(const std::string& localAppData, UtcSeconds when,
                            platform::FileTree& files)
{
    return companions::WriteProfileList(localAppData, kTimeFile, {std::to_string(when)}, files);
}

} // namespace agent
