#include "plan/source_lookup.h"

#include "platform/path_text.h"

#include <string_view>
#include <unordered_map>

namespace
{

// Below this many sources in one folder, looking each up costs less than
// reading the whole folder.
constexpr size_t kListedFrom = 64;

// A source as its folder and the name in it; the folder keeps its separator
// after a drive ("C:\\" for "C:\\Photos"). No folder for a path without a
// separator, and no name for one that ends with a separator.
struct FolderAndName
{
    std::string_view folder;
    std::string_view name;
};

FolderAndName SplitSource(std::string_view path)
{
    const size_t separator = platform::FindLastSeparator(path);
    if (separator == std::string_view::npos)
        return {};
    const bool afterDrive = separator == 0 || path[separator - 1] == ':';
    return {path.substr(0, separator + (afterDrive ? 1 : 0)), path.substr(separator + 1)};
}

// Sources [begin, end) of the list, all in `folder`.
void LookUpCrowd(const std::string& folder, size_t begin, size_t end,
                 const std::vector<std::string>& sources, platform::FileTree& files,
                 std::vector<platform::PathTarget>& targets)
{
    // Nothing below a folder that is not there: every target stays "none".
    if (files.IsAbsent(folder))
        return;
    std::unordered_map<std::string, bool> plainFiles;
    const bool listed =
        files.List(folder, [&](std::string_view name, const platform::FileFacts& facts) {
            plainFiles.emplace(files.FoldCase(std::string(name)), !facts.isFolder && !facts.isLink);
        });
    for (size_t i = begin; i < end; ++i)
    {
        const std::string_view name = SplitSource(sources[i]).name;
        const auto found = listed && !name.empty()
                               ? plainFiles.find(files.FoldCase(std::string(name)))
                               : plainFiles.end();
        targets[i] = found != plainFiles.end() && found->second ? platform::PathTarget{{}, true}
                                                                : files.Target(sources[i]);
    }
}

} // namespace

std::vector<platform::PathTarget> LookUpSources(const std::vector<std::string>& sources,
                                                platform::FileTree& files)
{
    std::vector<platform::PathTarget> targets(sources.size());
    // A crowd is a run of neighbours in one folder, as a dropped folder's
    // files come.
    std::string_view folder = sources.empty() ? std::string_view() : SplitSource(sources[0]).folder;
    for (size_t begin = 0, end = 0; begin < sources.size(); begin = end)
    {
        std::string_view next;
        for (end = begin + 1;
             end < sources.size() && (next = SplitSource(sources[end]).folder) == folder;)
            ++end;
        if (end - begin >= kListedFrom && !folder.empty())
            LookUpCrowd(std::string(folder), begin, end, sources, files, targets);
        else
            for (size_t i = begin; i < end; ++i)
                targets[i] = files.Target(sources[i]);
        folder = next;
    }
    return targets;
}
