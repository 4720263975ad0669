#pragma once

#include "companions/saved_plan.h"
#include "companions/verdict.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace companions
{

// How far a backup has come, in files and bytes.
struct Progress
{
    std::size_t filesExpected = 0;
    std::size_t filesArrived = 0;
    std::uint64_t bytesExpected = 0;
    std::uint64_t bytesArrived = 0;
    // The source folder of the file that arrived last.
    std::string currentFolder;
};

// Follows the copies of a running backup as the file system reports them,
// so that nothing is ever rescanned in a loop: each reported path is judged
// once more, and only when it is the copy of an expected file.
class RunProgress
{
  public:
    // Judges every copy once: a file whose copy is already good, from an
    // earlier run, has arrived (xcopy /d will not copy it again).
    // The sources the saved plan refused are named in the verdict.
    RunProgress(std::vector<ExpectedFile> expected, std::vector<RefusedSource> refused,
                platform::FileTree& files);

    // A file at `path` was written or renamed. True when that made an
    // expected file arrive.
    bool OnChanged(const std::string& path);
    // The report of changes was lost (its buffer overflowed): every copy
    // not yet arrived is judged again.
    void OnChangesLost();

    const Progress& Now() const { return m_progress; }

    // The verdict over every file, each copy judged as the disk has it now,
    // and why a copy of xcopy's is missing where `destination` can tell.
    Verdict Finish(bool stoppedEarly, const std::string& destination) const;

  private:
    bool Consider(std::size_t index);

    std::vector<ExpectedFile> m_files;
    std::vector<RefusedSource> m_refused;
    platform::FileTree& m_tree;
    std::vector<bool> m_arrived;
    // Copy paths in the file system's letter case: two sources of one copy
    // (before each had its own folder) share a key.
    std::unordered_multimap<std::string, std::size_t> m_byCopyPath;
    Progress m_progress;
};

} // namespace companions
