#include "companions/run_progress.h"

#include "companions/no_copy_reason.h"
#include "platform/path_text.h"

namespace companions
{

RunProgress::RunProgress(std::vector<ExpectedFile> expected, std::vector<RefusedSource> refused,
                         platform::FileTree& files)
    : m_files(std::move(expected)), m_refused(std::move(refused)), m_tree(files),
      m_arrived(m_files.size(), false)
{
    m_byCopyPath.reserve(m_files.size());
    for (std::size_t i = 0; i < m_files.size(); ++i)
    {
        m_progress.bytesExpected += m_files[i].size;
        if (m_files[i].sourceFound)
            m_byCopyPath.emplace(m_tree.FoldCase(m_files[i].copyPath), i);
    }
    m_progress.filesExpected = m_files.size();
    OnChangesLost();
    // Files of earlier runs say nothing of where this one is.
    m_progress.currentFolder.clear();
}

bool RunProgress::Consider(std::size_t index)
{
    if (m_arrived[index] || Judge(m_files[index], m_tree) != Shortfall::None)
        return false;
    m_arrived[index] = true;
    ++m_progress.filesArrived;
    m_progress.bytesArrived += m_files[index].size;
    const std::string& source = m_files[index].sourcePath;
    m_progress.currentFolder = source.substr(0, platform::FindLastSeparator(source));
    return true;
}

bool RunProgress::OnChanged(const std::string& path)
{
    bool arrived = false;
    const auto [first, last] = m_byCopyPath.equal_range(m_tree.FoldCase(path));
    for (auto it = first; it != last; ++it)
        arrived = Consider(it->second) || arrived;
    return arrived;
}

void RunProgress::OnChangesLost()
{
    for (std::size_t i = 0; i < m_files.size(); ++i)
        Consider(i);
}

Verdict RunProgress::Finish(bool stoppedEarly, const std::string& destination) const
{
    VerdictBuilder verdict;
    for (const RefusedSource& source : m_refused)
        verdict.Refused(source.path, source.reason);
    NoCopyReasons reasons(destination, true, m_tree);
    for (const ExpectedFile& file : m_files)
    {
        const Shortfall shortfall = Judge(file, m_tree);
        verdict.Judged(file, shortfall == Shortfall::Missing ? reasons.Of(file) : shortfall);
    }
    return verdict.Build(stoppedEarly);
}

} // namespace companions
