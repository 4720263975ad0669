#include "tests/native/temp_folder.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = fs::temp_directory_path() /
             ("corvane-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    fs::create_directories(m_path);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

std::string TempFolder::Read(const std::string& name) const
{
    std::ifstream in(m_path / name, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(m_path / name, std::ios::binary | std::ios::trunc) << bytes;
}

void TempFolder::Write(const FileMap& files) const
{
    for (const auto& [name, bytes] : files)
        Write(name, bytes);
}

bool TempFolder::Exists(const std::string& name) const
{
    return fs::exists(m_path / name);
}

FileMap TempFolder::Files() const
{
    FileMap files;
    for (const fs::directory_entry& entry : fs::directory_iterator(m_path))
    {
        const std::string name = entry.path().filename().string();
        files[name] = entry.is_directory() ? "<folder>" : Read(name);
    }
    return files;
}
