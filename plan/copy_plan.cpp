#include "plan/copy_plan.h"

#include "plan/mirror_path.h"
#include "plan/suffixes.h"
#include "platform/path_text.h"
#include "platform/text_case.h"

#include <array>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace
{

// The names every session of the user reaches a path by: a mapped drive by
// its share. Only a drive letter can be a mapped drive, and a letter whose
// root has no other name (a local disk) gives every path on it unchanged, so
// each letter is asked once, and only the paths on a mapped one each.
class UniversalNames
{
  public:
    explicit UniversalNames(platform::FileTree& files) : m_files(files) {}

    // The path's universal name, in `buffer` where it differs.
    std::string_view Of(const std::string& path, std::string& buffer)
    {
        if (!StartsWithDriveLetter(path))
            return path;
        std::optional<bool>& local =
            m_local[static_cast<size_t>(std::toupper(static_cast<unsigned char>(path[0])) - 'A')];
        if (!local)
        {
            const std::string root = path.substr(0, 2) + "\\";
            local = m_files.UniversalName(root) == root;
        }
        if (*local)
            return path;
        buffer = m_files.UniversalName(path);
        return buffer;
    }

  private:
    platform::FileTree& m_files;
    std::array<std::optional<bool>, 26> m_local;
};

// Appends the folder a source's copies go to with two or more sources, below
// the destination: the mirror of the folder it names, or, for a file, of the
// folder it is in, by its universal name.
void AppendCopyFolder(std::string_view belowDestination, const std::string& source, bool isFile,
                      UniversalNames& universalNames, std::string& out)
{
    std::string buffer;
    std::string_view folder = universalNames.Of(source, buffer);
    if (isFile)
    {
        const size_t separator = platform::FindLastSeparator(folder);
        folder = folder.substr(0, separator == std::string::npos ? 0 : separator);
    }
    out.append(belowDestination);
    AppendMirrorOf(folder, out);
}

// Named by the text itself: its "%" is the interpreter's to expand.
constexpr std::string_view kSystemFolder = "%systemroot%\\SYSTEM32";

// "\\*JPG" matches a name that ends in "JPG"; the suffixes are upper case.
bool EndsWithIgnoringCase(std::string_view name, std::string_view upperSuffix)
{
    if (name.size() < upperSuffix.size())
        return false;
    return platform::UpperCasePath(std::string(name.substr(name.size() - upperSuffix.size()))) ==
           upperSuffix;
}

// Everything below each source, hidden files included.
void CopyEverything(CopyPlan& plan, size_t sourceCount, bool modifiedOnly)
{
    for (size_t i = 0; i < sourceCount; ++i)
        plan.steps.push_back(CopyStep{&plan.sources[i], {}, true, modifiedOnly});
}

template <std::size_t N>
void CopyMatching(CopyPlan& plan, size_t sourceCount, const std::array<const char*, N>& suffixes,
                  bool modifiedOnly)
{
    for (size_t i = 0; i < sourceCount; ++i)
    {
        // No /h: hidden files are copied only by the lines that copy everything.
        for (const char* suffix : suffixes)
            plan.steps.push_back(CopyStep{&plan.sources[i], suffix, false, modifiedOnly});
    }
}

// With one source its copies go straight into the destination.
bool IsOnlySource(const CopyPlan& plan, const PlannedSource& source)
{
    return source.copyFolder == plan.destination;
}

// What the disk held at one source's path.
struct Found
{
    bool isFile = false;
    bool found = false;
};

// `lookUp(i)` tells what the source at index i is.
template <typename LookUp>
CopyPlan Plan(const BackupSelection& selection, platform::FileTree& files, LookUp lookUp)
{
    CopyPlan plan;
    const size_t sourceCount = selection.sources.size();
    // Every source first, then the system folder: the steps point into this
    // vector, which must not grow once they do.
    plan.sources.reserve(sourceCount + 1);
    plan.destination = selection.destination;
    // The destination and its separator, read once for every mirror below it.
    const std::string belowDestination = platform::JoinPath(selection.destination, "");
    UniversalNames universalNames(files);
    // Each copy folder is made here, then kept with the others.
    std::string copyFolder;
    for (size_t i = 0; i < sourceCount; ++i)
    {
        const std::string& source = selection.sources[i];
        const Found found = lookUp(i);
        const bool file = found.isFile;
        const std::string_view path = plan.texts.Keep(source);
        if (sourceCount == 1)
        {
            plan.sources.push_back(PlannedSource{path, plan.texts.Keep(selection.destination), file,
                                                 found.found, false});
            continue;
        }
        copyFolder.clear();
        AppendCopyFolder(belowDestination, source, file, universalNames, copyFolder);
        plan.sources.push_back(
            PlannedSource{path, plan.texts.Keep(copyFolder), file, found.found, false});
        if (file)
            plan.foldersToMake.push_back(plan.sources.back().copyFolder);
    }
    // The system folder is copied whole every time, whatever the sources and
    // the modified-only switch.
    plan.sources.push_back(PlannedSource{
        kSystemFolder,
        plan.texts.Keep(platform::JoinPath(selection.destination, kSystemStateFolder)), false, true,
        true});

    const bool modifiedOnly = selection.IsTicked(OptionFlag::ModifiedOnly);
    // Sized once: each source of many thousand gives the same lines.
    const auto linesIf = [&selection](OptionFlag flag, size_t lines) {
        return selection.IsTicked(flag) ? lines : 0;
    };
    plan.steps.reserve(
        1 + sourceCount * (linesIf(OptionFlag::AllFileTypes, 1) + linesIf(OptionFlag::Hidden, 1) +
                           linesIf(OptionFlag::Pictures, kPictureSuffixes.size()) +
                           linesIf(OptionFlag::AudioMusic, kAudioSuffixes.size()) +
                           linesIf(OptionFlag::Video, kVideoSuffixes.size()) +
                           linesIf(OptionFlag::Documents, kDocumentSuffixes.size())));
    if (selection.IsTicked(OptionFlag::AllFileTypes))
        CopyEverything(plan, sourceCount, modifiedOnly);
    if (selection.IsTicked(OptionFlag::SystemState))
        plan.steps.push_back(CopyStep{&plan.sources.back(), {}, true, false});
    if (selection.IsTicked(OptionFlag::Pictures))
        CopyMatching(plan, sourceCount, kPictureSuffixes, modifiedOnly);
    if (selection.IsTicked(OptionFlag::AudioMusic))
        CopyMatching(plan, sourceCount, kAudioSuffixes, modifiedOnly);
    if (selection.IsTicked(OptionFlag::Video))
        CopyMatching(plan, sourceCount, kVideoSuffixes, modifiedOnly);
    if (selection.IsTicked(OptionFlag::Documents))
        CopyMatching(plan, sourceCount, kDocumentSuffixes, modifiedOnly);
    if (selection.IsTicked(OptionFlag::Hidden))
        CopyEverything(plan, sourceCount, modifiedOnly);
    return plan;
}

} // namespace

bool CopyStep::CopiesName(std::string_view name, bool hiddenOnTheWay) const
{
    if (hiddenOnTheWay && !hidden)
        return false;
    // A pattern appended to a file's path names nothing.
    if (source->isFile)
        return pattern.empty();
    return pattern.empty() || EndsWithIgnoringCase(name, pattern.substr(2));
}

std::string CopyStep::CopyPathOf(std::string_view relativePath) const
{
    return platform::JoinPath(source->copyFolder, relativePath);
}

CopyPlan PlanBackup(const BackupSelection& selection, platform::FileTree& files)
{
    return Plan(selection, files, [&](size_t i) {
        const std::optional<platform::FileFacts> facts = files.Facts(selection.sources[i]);
        return Found{facts && !facts->isFolder, facts.has_value()};
    });
}

CopyPlan PlanBackup(const BackupSelection& selection,
                    const std::vector<platform::PathTarget>& targets, platform::FileTree& files)
{
    return Plan(selection, files, [&targets](size_t i) {
        // A plain file found by listing its folder has no identity read.
        return Found{targets[i].isFile, targets[i].isFile || targets[i].identity.has_value()};
    });
}

std::string FileCopyPathOf(const CopyPlan& plan, const PlannedSource& source)
{
    // The mirror of a file is the mirror of its folder and its name.
    if (source.isFile || IsOnlySource(plan, source))
        return platform::JoinPath(source.copyFolder, platform::LastComponent(source.path));
    return std::string(source.copyFolder);
}

void TakeSourceAsFile(CopyPlan& plan, PlannedSource& source)
{
    if (source.isFile)
        return;
    source.isFile = true;
    if (IsOnlySource(plan, source))
        return;
    const std::string_view folder = source.copyFolder;
    source.copyFolder = folder.substr(0, platform::FindLastSeparator(folder));
}
