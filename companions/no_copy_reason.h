#pragma once

#include "companions/expected_files.h"
#include "companions/verdict.h"
#include "platform/file_tree.h"

#include <cstdint>
#include <optional>
#include <string>

namespace companions
{

// The longest path xcopy writes: MAX_PATH less its closing NUL.
inline constexpr std::size_t kLongestXcopyPath = 259;

// Why files have no copy, looked at once a run's copying is over, so that
// the monitor, its report and the log-off backup's verdict say alike what
// the user can mend.
class NoCopyReasons
{
  public:
    // `byXcopy`: the copies were xcopy's, which writes no longer path; the
    // agent's own take paths of any length.
    NoCopyReasons(std::string destination, bool byXcopy, platform::FileTree& files);

    // For a file judged missing: "path too long" (its copy's path is longer
    // than xcopy writes), "in use by another program" (another program holds
    // the source so that it cannot be read), "backup disk full" (the
    // destination has less room than the file); "missing" for the rest.
    Shortfall Of(const ExpectedFile& file);

  private:
    std::string m_destination;
    bool m_byXcopy;
    platform::FileTree& m_files;
    // The destination's room, looked at once, when a file first needs it.
    std::optional<std::optional<std::uint64_t>> m_room;
};

} // namespace companions
