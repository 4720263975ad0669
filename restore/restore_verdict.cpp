#include "restore/restore_verdict.h"

namespace restore
{

const char* RestoreReasonText(RestoreShortfall shortfall)
{
    switch (shortfall)
    {
    case RestoreShortfall::NoCopy:
        return "the backup holds no copy";
    case RestoreShortfall::CannotWrite:
        return "cannot be written";
    case RestoreShortfall::InUse:
        return "in use";
    case RestoreShortfall::Skipped:
        return "skipped";
    }
    return "";
}

std::string RestoreFirstLine(const RestoreVerdict& verdict)
{
    const std::string files = std::to_string(verdict.files);
    if (verdict.notRestored.empty())
        return "All " + files + " files were restored.";
    return std::to_string(verdict.notRestored.size()) + " of " + files +
           " files were not restored.";
}

std::string RestoreReportText(const RestoreVerdict& verdict)
{
    std::string text = RestoreFirstLine(verdict) + "\n";
    for (const NotRestored& file : verdict.notRestored)
        text.append(file.path).append("\t").append(RestoreReasonText(file.reason)).push_back('\n');
    return text;
}

} // namespace restore
