#include "companions/monitor_view.h"

#include "companions/progress_text.h"

#include <cstdio>

namespace companions
{
namespace
{

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
    ProgressText text = ProgressTextOf(progress.filesArrived, progress.filesExpected,
                                       progress.bytesArrived, progress.bytesExpected);
    view.files = std::move(text.files);
    view.bytes = std::move(text.bytes);
    view.percent = text.percent;
    // No copy seen arriving yet (a short batch may be over before the first look).
    if (!progress.currentFolder.empty())
        view.folder = "Folder: " + progress.currentFolder;
    if (state.phase == MonitorPhase::Copying)
    {
        view.headline = state.quiet >= kStallTime ? "Stalled: no file has arrived for a minute."
                                                  : "Backing up your files...";
        return view;
    }
    if (!state.notJudged.empty())
        view.headline = state.notJudged;
    if (!state.verdict)
        return view;
    const Verdict& verdict = *state.verdict;
    view.headline = FirstLine(verdict);
    view.notBackedUp = NotBackedUpList(verdict);
    return view;
}

} // namespace companions
