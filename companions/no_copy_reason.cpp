#include "companions/no_copy_reason.h"

#include "platform/path_text.h"

namespace companions
{

NoCopyReasons::NoCopyReasons(std::string destination, bool byXcopy, platform::FileTree& files)
    : m_destination(std::move(destination)), m_byXcopy(byXcopy), m_files(files)
{
}

Shortfall NoCopyReasons::Of(const ExpectedFile& file)
{
    if (m_byXcopy && platform::Utf16Length(file.copyPath) > kLongestXcopyPath)
        return Shortfall::PathTooLong;
    if (m_files.HeldByAnotherProgram(file.sourcePath))
        return Shortfall::InUse;
    if (!m_room)
        m_room = m_files.FreeSpace(m_destination);
    if (*m_room && **m_room < file.size)
        return Shortfall::DiskFull;
    return Shortfall::Missing;
}

} // namespace companions
