#include "restore/restore_view.h"

#include "companions/date_stamp.h"
#include "companions/progress_text.h"

namespace restore
{
namespace
{

// "2026-12-07 09:30", with the seconds where a line tells two times apart.
std::string TimeText(platform::FileTime lastWrite, bool seconds)
{
    return companions::DateTimeStamp(platform::LocalTimeOf(lastWrite), ':', seconds);
}

std::string FileFactsOf(const BackupItem& item)
{
    std::string line =
        "  " + companions::ByteText(item.size) + "  " + TimeText(item.lastWrite, false);
    if (item.versions > 0)
        line +=
            "  " + std::to_string(item.versions) + (item.versions == 1 ? " version" : " versions");
    return line;
}

} // namespace

std::string ItemLine(const BackupItem& item)
{
    return item.isFolder ? item.name : item.name + FileFactsOf(item);
}

std::string HoldingLine(const Holding& holding)
{
    std::string line = holding.label;
    if (holding.kind == HoldingKind::NotInSelection)
        line += "  (not in your selection)";
    // A file source whose copy is gone has no facts to show.
    if (holding.isFile && !holding.item.name.empty())
        line += FileFactsOf(holding.item);
    return line;
}

std::string FoundLine(std::size_t found, std::size_t limit)
{
    if (found == 0)
        return "No file in the backup has a name with that text.";
    if (found >= limit)
        return "Many files match: the first " + std::to_string(limit) +
               " are shown. Type more of the name.";
    return kChooseFilesLine;
}

std::string FactsLine(std::uint64_t size, platform::FileTime lastWrite)
{
    return companions::ByteText(size) + ", " + TimeText(lastWrite, true);
}

std::string VersionLine(const companions::Version& version)
{
    return TimeText(version.lastWrite, true) + "  " + companions::ByteText(version.size);
}

} // namespace restore
