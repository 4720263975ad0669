#include "companions/verdict.h"

#include <algorithm>
#include <chrono>
#include <tuple>

namespace companions
{

const char* ReasonText(Shortfall shortfall)
{
    switch (shortfall)
    {
    case Shortfall::Missing:
        return "missing";
    case Shortfall::OlderThanSource:
        return "older than the source";
    case Shortfall::SizeDiffers:
        return "size differs";
    case Shortfall::SourceNotFound:
        return "source not found";
    case Shortfall::CannotCarry:
        return "Its name holds characters that the backup script cannot carry";
    case Shortfall::HoldsBackupFolder:
        return "holds the backup folder";
    case Shortfall::CannotKeep:
        return "cannot keep the old copy";
    case Shortfall::None:
        break;
    }
    return "";
}

Shortfall Judge(const ExpectedFile& file, const std::optional<platform::FileFacts>& copy)
{
    // FAT keeps write times to two seconds, rounded either way.
    constexpr platform::FileTime kClockGrain = std::chrono::seconds(2);
    if (!file.sourceFound)
        return Shortfall::SourceNotFound;
    if (!copy || copy->isFolder)
        return Shortfall::Missing;
    if (copy->lastWrite < file.lastWrite - kClockGrain)
        return Shortfall::OlderThanSource;
    if (copy->size != file.size)
        return Shortfall::SizeDiffers;
    return Shortfall::None;
}

Shortfall Judge(const ExpectedFile& file, platform::FileTree& files)
{
    return Judge(file, file.sourceFound ? files.Facts(file.copyPath) : std::nullopt);
}

void VerdictBuilder::Refused(const std::string& sourcePath, Shortfall reason)
{
    ++m_expected;
    m_refused.push_back({0, sourcePath, reason});
}

void VerdictBuilder::Judged(const ExpectedFile& file, Shortfall shortfall)
{
    ++m_expected;
    if (shortfall != Shortfall::None)
        m_files.push_back({file.source, file.sourcePath, shortfall});
}

Verdict VerdictBuilder::Build(bool stoppedEarly) const
{
    Verdict verdict{m_expected, m_refused, stoppedEarly};
    const auto sorted =
        verdict.notBackedUp.insert(verdict.notBackedUp.end(), m_files.begin(), m_files.end());
    std::sort(sorted, verdict.notBackedUp.end(), [](const NotBackedUp& a, const NotBackedUp& b) {
        return std::tie(a.source, a.sourcePath) < std::tie(b.source, b.sourcePath);
    });
    return verdict;
}

std::string FirstLine(const Verdict& verdict)
{
    const std::string expected = std::to_string(verdict.expected);
    if (verdict.stoppedEarly)
        return "The backup was stopped before it finished: " + expected + " files checked, " +
               std::to_string(verdict.notBackedUp.size()) + " not backed up.";
    if (verdict.notBackedUp.empty())
        return "All " + expected + " files were backed up.";
    return std::to_string(verdict.notBackedUp.size()) + " of " + expected +
           " files were not backed up.";
}

std::string ReportText(const Verdict& verdict)
{
    std::string text = FirstLine(verdict) + "\n";
    for (const NotBackedUp& file : verdict.notBackedUp)
        text.append(file.sourcePath).append("\t").append(ReasonText(file.reason)).push_back('\n');
    return text;
}

} // namespace companions
