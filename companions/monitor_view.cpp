#include "companions/monitor_view.h"

#include <cstdio>

namespace companions
{
namespace
{

std::string Bytes(std::uint64_t bytes)
{
    static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
    if (bytes < 1024)
        return std::to_string(bytes) + " bytes";
    double value = static_cast<double>(bytes) / 1024;
    size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(kUnits))
    {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    return text;
}

// "0:07", "12:30", "1:02:03".
std::string Duration(std::chrono::seconds elapsed)
{
    const long long total = elapsed.count();
    char text[32];
    if (total >= 3600)
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", total / 3600, total / 60 % 60,
                      total % 60);
    else
        std::snprintf(text, sizeof text, "%lld:%02lld", total / 60, total % 60);
    return text;
}

int Percent(std::uint64_t part, std::uint64_t whole)
{
    return whole == 0 ? 0 : static_cast<int>(part * 100 / whole);
}

} // namespace

MonitorView ViewOf(const MonitorState& state)
{
    MonitorView view;
    view.time = "Time taken: " + Duration(state.elapsed);
    if (state.phase == MonitorPhase::GettingReady)
    {
        view.headline = "Finding the files to back up...";
        return view;
    }
    const Progress& progress = state.progress;
    view.files = "Files: " + std::to_string(progress.filesArrived) + " of " +
                 std::to_string(progress.filesExpected);
    view.bytes = "Size: " + Bytes(progress.bytesArrived) + " of " + Bytes(progress.bytesExpected);
    // No copy seen arriving yet (a short batch may be over before the first look).
    if (!progress.currentFolder.empty())
        view.folder = "Folder: " + progress.currentFolder;
    // Bytes tell the time a copy takes better than files do, when there are any.
    view.percent = progress.bytesExpected > 0
                       ? Percent(progress.bytesArrived, progress.bytesExpected)
                       : Percent(progress.filesArrived, progress.filesExpected);
    if (state.phase == MonitorPhase::Copying)
    {
        view.headline = state.quiet >= kStallTime ? "Stalled: no file has arrived for a minute."
                                                  : "Backing up your files...";
        return view;
    }
    if (!state.verdict)
        return view;
    const Verdict& verdict = *state.verdict;
    view.headline = FirstLine(verdict);
    for (const NotBackedUp& file : verdict.notBackedUp)
        view.notBackedUp.push_back({file.sourcePath, ReasonText(file.reason)});
    return view;
}

} // namespace companions
