#include "agent/waiting_saves.h"

#include "companions/report.h"

#include <algorithm>

namespace agent
{
namespace
{

constexpr const char* kWaitingFile = "saves waiting.txt";

} // namespace

WaitingSaves::WaitingSaves(std::string localAppData, platform::FileTree& files)
    : m_localAppData(std::move(localAppData)), m_tree(files),
      m_files(companions::ReadProfileList(m_localAppData, kWaitingFile, files))
{
}

void WaitingSaves::Add(const std::vector<std::string>& paths)
{
    const std::size_t before = m_files.size();
    for (const std::string& path : paths)
    {
        if (std::find(m_files.begin(), m_files.end(), path) == m_files.end())
            m_files.push_back(path);
    }
    if (m_files.size() != before)
        Write();
}

void WaitingSaves::Remove(const std::vector<std::string>& paths)
{
    const std::size_t before = m_files.size();
    m_files.erase(std::remove_if(m_files.begin(), m_files.end(),
                                 [&paths](const std::string& file) {
                                     return std::find(paths.begin(), paths.end(), file) !=
                                            paths.end();
                                 }),
                  m_files.end());
    if (m_files.size() != before)
        Write();
}

void WaitingSaves::Write()
{
    companions::WriteProfileList(m_localAppData, kWaitingFile, m_files, m_tree);
}

} // namespace agent
