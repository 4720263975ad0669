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
    case Shortfall::AccessDenied:
        return "access denied";
    case Shortfall::InUse:
        return "in use by another program";
    case Shortfall::PathTooLong:
        return "path too long";
    case Shortfall::DiskFull:
        return "backup disk full";
    case Shortfall::None:
        break;
    }
    return "";
}

bool SameTime(platform::FileTime a, platform::FileTime b)
{
    constexpr platform::FileTime kClockGrain = std::chrono::seconds(2);
    return (a > b ? a - b : b - a) <= kClockGrain;
}

Shortfall Judge(const ExpectedFile& file, const std::optional<platform::FileFacts>& copy)
{
    if (!file.sourceFound)
        return Shortfall::SourceNotFound;
    if (!copy || copy->isFolder)
        return Shortfall::Missing;
    if (copy->lastWrite < file.lastWrite && !SameTime(copy->lastWrite, file.lastWrite))
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

std::string CountLine(std::size_t files, std::size_t notDone, std::string_view done)
{
    const std::string all = std::to_string(files);
    if (notDone == 0)
        return "All " + all + " files were " + std::string(done) + ".";
    return std::to_string(notDone) + " of " + all + " files were not " + std::string(done) + ".";
}

std::string FirstLine(const Verdict& verdict)
{
    if (verdict.stoppedEarly)
        return "The backup was stopped before it finished: " + std::to_string(verdict.expected) +
               " files checked, " + std::to_string(verdict.notBackedUp.size()) + " not backed up.";
    return CountLine(verdict.expected, verdict.notBackedUp.size(), "backed up");
}

std::vector<FileReason> NotBackedUpList(const Verdict& verdict)
{
    std::vector<FileReason> files;
    for (const NotBackedUp& file : verdict.notBackedUp)
        files.push_back({file.sourcePath, ReasonText(file.reason)});
    return files;
}

std::string ReportLines(const std::string& firstLine, const std::vector<FileReason>& files)
{
    std::string text = firstLine + "\n";
    for (const FileReason& file : files)
        text.append(file.path).append("\t").append(file.reason).push_back('\n');
    return text;
}

std::string ReportText(const Verdict& verdict)
{
    return ReportLines(FirstLine(verdict), NotBackedUpList(verdict));
}

} // namespace companions
