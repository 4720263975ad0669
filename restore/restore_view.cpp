#include "restore/restore_view.h"

#include "companions/progress_text.h"
#include "platform/text_case.h"

#include <ctime>

namespace restore
{
namespace
{

std::string TimeText(platform::FileTime lastWrite, const char* format)
{
    const std::tm local = platform::LocalTimeOf(lastWrite);
    char text[32] = {};
    std::strftime(text, sizeof text, format, &local);
    return text;
}

std::string FileFactsOf(const BackupItem& item)
{
    std::string line =
        "  " + companions::ByteText(item.size) + "  " + TimeText(item.lastWrite, "%Y-%m-%d %H:%M");
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

std::string FoldFilter(std::string filter)
{
    return platform::UpperCaseAnsi(std::move(filter));
}

bool MatchesFilter(std::string_view name, const std::string& foldedFilter)
{
    return platform::UpperCaseAnsi(std::string(name)).find(foldedFilter) != std::string::npos;
}

std::string FactsLine(std::uint64_t size, platform::FileTime lastWrite)
{
    return companions::ByteText(size) + ", " + TimeText(lastWrite, "%Y-%m-%d %H:%M:%S");
}

std::string VersionLine(const companions::Version& version)
{
    return TimeText(version.lastWrite, "%Y-%m-%d %H:%M:%S") + "  " + companions::ByteText(version.size);
}

std::vector<companions::FileReason> NotRestoredList(const RestoreVerdict& verdict)
{
    std::vector<companions::FileReason> files;
    for (const NotRestored& file : verdict.notRestored)
        files.push_back({file.path, RestoreReasonText(file.reason)});
    return files;
}

} // namespace restore
