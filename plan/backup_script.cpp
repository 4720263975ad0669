#include "plan/backup_script.h"

#include "plan/batch_text.h"
#include "platform/code_page.h"

#include <algorithm>
#include <deque>
#include <string_view>
#include <utility>
#include <vector>

// The paths of every source as the interpreter must read them, escaped once
// however many lines name them. Most plans hold no "%" at all, and use their
// texts as they stand.
class BatchPaths
{
  public:
    explicit BatchPaths(const CopyPlan& plan)
        : m_first(plan.sources.data()),
          // The System State line has always joined with a backslash of its
          // own, doubled after a drive root ("E:\\systemstate").
          m_systemState(EscapeBatchPercent(plan.destination + "\\" + kSystemStateFolder)),
          m_escaped(std::any_of(plan.sources.begin(), plan.sources.end(), HoldsPercent))
    {
        if (!m_escaped)
            return;
        m_paths.reserve(plan.sources.size());
        m_copyFolders.reserve(plan.sources.size());
        for (const PlannedSource& source : plan.sources)
        {
            m_paths.push_back(Escaped(source.path));
            m_copyFolders.push_back(Escaped(source.copyFolder));
        }
        // The folders to make are copy folders of the sources: escaped with them.
        m_foldersToMake.reserve(plan.foldersToMake.size());
        for (const std::string_view folder : plan.foldersToMake)
            m_foldersToMake.push_back(Escaped(folder));
    }

    std::string_view FolderToMake(const CopyPlan& plan, size_t index) const
    {
        return m_escaped ? m_foldersToMake[index] : plan.foldersToMake[index];
    }

    std::string_view PathOf(const CopyStep& step) const
    {
        // The interpreter expands the system folder's "%systemroot%" itself.
        if (step.source->isSystemFolder || !m_escaped)
            return step.source->path;
        return m_paths[IndexOf(step)];
    }
    std::string_view CopyFolderOf(const CopyStep& step) const
    {
        if (step.source->isSystemFolder)
            return m_systemState;
        return m_escaped ? m_copyFolders[IndexOf(step)] : step.source->copyFolder;
    }

  private:
    static bool HoldsPercent(const PlannedSource& source)
    {
        return !source.isSystemFolder && (source.path.find('%') != std::string_view::npos ||
                                          source.copyFolder.find('%') != std::string_view::npos);
    }

    size_t IndexOf(const CopyStep& step) const
    {
        return static_cast<size_t>(step.source - m_first);
    }

    std::string_view Escaped(std::string_view path)
    {
        if (path.find('%') == std::string_view::npos)
            return path;
        return m_escapes.emplace_back(EscapeBatchPercent(path));
    }

    const PlannedSource* m_first;
    const std::string m_systemState;
    const bool m_escaped;
    // A deque keeps the escaped paths in place as it grows.
    std::deque<std::string> m_escapes;
    std::vector<std::string_view> m_paths;
    std::vector<std::string_view> m_copyFolders;
    std::vector<std::string_view> m_foldersToMake;
};

std::string_view ModifiedSwitch(bool modifiedOnly)
{
    return modifiedOnly ? " /M" : "";
}

BackupScript::BackupScript(const CopyPlan& plan, const std::string& backupBatchPath,
                           std::string_view lineEnd)
    : m_plan(plan), m_paths(std::make_unique<BatchPaths>(plan)),
      m_eraseTarget(EscapeBatchPercent(backupBatchPath)), m_lineEnd(lineEnd)
{
}

BackupScript::~BackupScript() = default;

std::string_view BackupScript::NextLines()
{
    m_text.clear();
    while (m_text.size() < kTextPerCall && AppendLine())
    {
    }
    m_text = platform::AnsiToOem(std::move(m_text));
    return m_text;
}

void BackupScript::Append(std::initializer_list<std::string_view> pieces)
{
    size_t at = m_text.size();
    size_t size = at;
    for (const std::string_view piece : pieces)
        size += piece.size();
    m_text.resize(size);
    for (const std::string_view piece : pieces)
        at += piece.copy(m_text.data() + at, piece.size());
}

bool BackupScript::AppendLine()
{
    if (m_folder < m_plan.foldersToMake.size())
        Append({"md \"", m_paths->FolderToMake(m_plan, m_folder++), "\" 2>nul", m_lineEnd});
    else if (m_step < m_plan.steps.size())
    {
        const CopyStep& step = m_plan.steps[m_step];
        const std::string_view folder = m_paths->CopyFolderOf(step);
        if (!m_attribDue)
        {
            // The system folder's line has always had two blanks before its quote.
            Append({"xcopy", ModifiedSwitch(step.modifiedOnly),
                    step.hidden ? (step.source->isSystemFolder ? " /d /y /s /C /I /h  \""
                                                               : " /d /y /s /C /I /h \"")
                                : " /d /y /s /C /I \"",
                    m_paths->PathOf(step), step.pattern, "\" \"", folder, "\"", m_lineEnd});
            // Shows the folder again, should the copy have left it hidden.
            m_attribDue = step.hidden && !step.source->isSystemFolder;
        }
        else
        {
            Append({"attrib -h \"", folder, "\"", m_lineEnd});
            m_attribDue = false;
        }
        if (!m_attribDue)
            ++m_step;
    }
    else if (!m_erased)
    {
        // Quoted, or the interpreter splits the path at its blanks. The batch
        // file removes itself once the copies are done.
        Append({"erase \"", m_eraseTarget, "\""});
        m_erased = true;
    }
    else
        return false;
    return true;
}

std::string ComposeBackupScript(const CopyPlan& plan, const std::string& backupBatchPath)
{
    BackupScript script(plan, backupBatchPath);
    std::string text;
    for (std::string_view lines = script.NextLines(); !lines.empty(); lines = script.NextLines())
        text.append(lines);
    return text;
}
