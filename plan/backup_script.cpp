#include "plan/backup_script.h"

#include "plan/batch_text.h"
#include "platform/code_page.h"

#include <deque>
#include <string_view>
#include <utility>
#include <vector>

namespace
{

// The paths of every source as the interpreter must read them, escaped once
// however many lines name them. A path without a "%" is used as it stands, so
// a list of many thousand sources is not copied.
class BatchPaths
{
  public:
    explicit BatchPaths(const CopyPlan& plan)
        : m_first(plan.sources.data()), m_systemState(plan.destination + "\\" + kSystemStateFolder)
    {
        m_paths.reserve(plan.sources.size());
        m_copyFolders.reserve(plan.sources.size());
        for (const PlannedSource& source : plan.sources)
        {
            // The interpreter expands the system folder's "%systemroot%" itself.
            m_paths.push_back(source.isSystemFolder ? std::string_view(source.path)
                                                    : Escaped(source.path));
            // The System State line has always joined with a backslash of its
            // own, doubled after a drive root ("E:\\systemstate").
            m_copyFolders.push_back(
                Escaped(source.isSystemFolder ? m_systemState : source.copyFolder));
        }
    }

    std::string_view PathOf(const CopyStep& step) const { return m_paths[IndexOf(step)]; }
    std::string_view CopyFolderOf(const CopyStep& step) const
    {
        return m_copyFolders[IndexOf(step)];
    }

  private:
    size_t IndexOf(const CopyStep& step) const
    {
        return static_cast<size_t>(step.source - m_first);
    }

    std::string_view Escaped(const std::string& path)
    {
        if (path.find('%') == std::string::npos)
            return path;
        return m_escaped.emplace_back(EscapeBatchPercent(path));
    }

    const PlannedSource* m_first;
    const std::string m_systemState;
    // A deque keeps the escaped paths in place as it grows.
    std::deque<std::string> m_escaped;
    std::vector<std::string_view> m_paths;
    std::vector<std::string_view> m_copyFolders;
};

// Adds up the length of what is appended, so that the script text is sized
// once: a list of many thousand sources gives a script of megabytes.
struct TextLength
{
    size_t size = 0;

    TextLength& append(std::string_view text)
    {
        size += text.size();
        return *this;
    }
};

template <typename Text>
void ComposeInto(const CopyPlan& plan, const BatchPaths& paths, std::string_view eraseTarget,
                 Text& script)
{
    for (const std::string& folder : plan.foldersToMake)
        script.append("md \"").append(EscapeBatchPercent(folder)).append("\" 2>nul\n");
    for (const CopyStep& step : plan.steps)
    {
        const std::string_view folder = paths.CopyFolderOf(step);
        // The system folder's line has always had two blanks before its quote.
        script.append("xcopy")
            .append(ModifiedSwitch(step.modifiedOnly))
            .append(step.hidden ? (step.source->isSystemFolder ? " /d /y /s /C /I /h  \""
                                                               : " /d /y /s /C /I /h \"")
                                : " /d /y /s /C /I \"")
            .append(paths.PathOf(step))
            .append(step.pattern)
            .append("\" \"")
            .append(folder)
            .append("\"\n");
        // Shows the folder again, should the copy have left it hidden.
        if (step.hidden && !step.source->isSystemFolder)
            script.append("attrib -h \"").append(folder).append("\"\n");
    }
    // Quoted, or the interpreter splits the path at its blanks. The batch
    // file removes itself once the copies are done.
    script.append("erase \"").append(eraseTarget).append("\"");
}

} // namespace

std::string ModifiedSwitch(bool modifiedOnly)
{
    return modifiedOnly ? " /M" : "";
}

std::string ComposeBackupScript(const CopyPlan& plan, const std::string& backupBatchPath)
{
    const BatchPaths paths(plan);
    const std::string eraseTarget = EscapeBatchPercent(backupBatchPath);
    TextLength length;
    ComposeInto(plan, paths, eraseTarget, length);
    std::string script;
    script.reserve(length.size);
    ComposeInto(plan, paths, eraseTarget, script);
    return platform::AnsiToOem(std::move(script));
}
