#include "restore/restore_verdict.h"

#include "companions/verdict.h"

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
    case RestoreShortfall::IsLink:
        return "is a link";
    }
    return "";
}

std::string RestoreFirstLine(const RestoreVerdict& verdict)
{
    return companions::CountLine(verdict.files, verdict.notRestored.size(), "restored");
}

std::vector<companions::FileReason> NotRestoredList(const RestoreVerdict& verdict)
{
    std::vector<companions::FileReason> files;
    for (const NotRestored& file : verdict.notRestored)
        files.push_back({file.path, RestoreReasonText(file.reason)});
    return files;
}

std::string RestoreReportText(const RestoreVerdict& verdict)
{
    return companions::ReportLines(RestoreFirstLine(verdict), NotRestoredList(verdict));
}

} // namespace restore
