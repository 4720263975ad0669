#include "plan/copy_plan.h"

#include "plan/suffixes.h"
#include "platform/path_text.h"
#include "platform/text_case.h"

#include <unordered_set>

namespace
{

// The name of a source's own folder in the destination: its last component;
// for a file, the folder it is in; for a drive root such as "D:\", the letter.
std::string FolderNameOf(std::string_view source, bool isFile)
{
    if (isFile)
    {
        const size_t separator = platform::FindLastSeparator(source);
        source = source.substr(0, separator == std::string_view::npos ? 0 : separator);
    }
    std::string_view name = platform::LastComponent(source);
    if (!name.empty() && name.back() == ':')
        name.remove_suffix(1);
    // An empty entry (a blank line of the source list) still needs a name.
    return name.empty() ? "source" : std::string(name);
}

// Gives every source a folder name no earlier one has, compared as the file
// system compares names: " (2)", " (3)", ... is added until the name is free.
class FolderNames
{
  public:
    // The System State line copies into this one.
    FolderNames() { m_taken.insert(platform::UpperCaseAnsi("systemstate")); }

    std::string Claim(const std::string& name)
    {
        std::string candidate = name;
        for (int n = 2; !m_taken.insert(platform::UpperCaseAnsi(candidate)).second; ++n)
            candidate = name + " (" + std::to_string(n) + ")";
        return candidate;
    }

  private:
    std::unordered_set<std::string> m_taken;
};

// "\\*JPG" matches a name that ends in "JPG"; the suffixes are upper case.
bool EndsWithIgnoringCase(std::string_view name, std::string_view upperSuffix)
{
    if (name.size() < upperSuffix.size())
        return false;
    return platform::UpperCaseAnsi(std::string(name.substr(name.size() - upperSuffix.size()))) ==
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

} // namespace

bool CopyStep::Copies(std::string_view relativePath, bool hiddenOnTheWay) const
{
    if (hiddenOnTheWay && !hidden)
        return false;
    // A pattern appended to a file's path names nothing.
    if (source->isFile)
        return pattern.empty();
    return pattern.empty() ||
           EndsWithIgnoringCase(platform::LastComponent(relativePath), pattern.substr(2));
}

std::string CopyStep::CopyPathOf(std::string_view relativePath) const
{
    return platform::JoinPath(source->copyFolder, relativePath);
}

CopyPlan PlanBackup(const BackupSelection& selection, platform::FileTree& files)
{
    CopyPlan plan;
    const size_t sourceCount = selection.sources.size();
    // Every source first, then the system folder: the steps point into this
    // vector, which must not grow once they do.
    plan.sources.reserve(sourceCount + 1);
    FolderNames names;
    for (const std::string& source : selection.sources)
    {
        const bool file = files.IsFile(source);
        if (sourceCount == 1)
        {
            plan.sources.push_back(PlannedSource{source, selection.destination, file, false});
            continue;
        }
        std::string folder =
            platform::JoinPath(selection.destination, names.Claim(FolderNameOf(source, file)));
        if (file)
            plan.foldersToMake.push_back(folder);
        plan.sources.push_back(PlannedSource{source, std::move(folder), file, false});
    }
    // The system folder is copied whole every time, whatever the sources and
    // the modified-only switch.
    plan.sources.push_back(PlannedSource{"%systemroot%\\SYSTEM32",
                                         selection.destination + "\\systemstate", false, true});

    const bool modifiedOnly = selection.IsTicked(OptionFlag::ModifiedOnly);
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
