#include "restore/restore_plan.h"
#include "tests/fuzz/fuzz_destination_tree.h"
#include "tests/native/support/backup_contents.h"

#include <algorithm>

namespace
{

// Whether the path, or a folder between it and the destination, is a link.
bool Linked(FakeFiles& files, std::string path, const std::string& destination)
{
    for (; path.size() > destination.size(); path = platform::ParentFolder(path))
        if (files.entries.count(path) && files.entries[path].isLink)
            return true;
    return false;
}

} // namespace

// A destination as a share others write to may hold it, read for a backup
// of one source or of two (the first byte says which): every holding is
// restored, back in place and elsewhere. Whatever it holds, nothing is
// written outside the place asked for (but the copies' versions), and no
// file is read through a link.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    FakeFiles files;
    const std::string destination = P("/d"), to = P("/to");
    PlantTree(files, destination,
              std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    std::vector<std::string> sources = {P("/u/docs")};
    if (data[0] & 1)
        sources.push_back(P("/u/notes.txt"));
    const std::optional<restore::BackupContents> contents = restore::BackupContents::Read(
        Saved(Selection(sources, destination, "1000000000"), files), files);
    Expect(contents.has_value(), "the destination is read");

    for (const std::string& toFolder : {std::string(), to})
    {
        restore::RestoreRequest request{{}, toFolder};
        for (size_t i = 0; i < contents->Holdings().size(); ++i)
            if (!toFolder.empty() || !contents->Holdings()[i].originalPath.empty())
                request.items.push_back({i, {}, {}});
        const restore::RestoreList list = restore::ListRestore(*contents, request);
        for (const restore::RestoreFile& file : list.files)
            Expect(file.isLink || !Linked(files, file.from, destination),
                   "no file is read through a link");
        const auto before = files.entries;
        std::tm today{};
        today.tm_year = 126;
        restore::RunRestore(*contents, list, today, {}, files);
        // A file goes below its holding's place, or beside a place that is
        // a file ("Keep both"); the folders above are made as they are needed.
        const auto inPlace = [&](const std::string& path) {
            if (!toFolder.empty())
                return platform::IsAtOrBelowFolder(path, toFolder);
            return std::any_of(
                request.items.begin(), request.items.end(), [&](const restore::RestoreItem& item) {
                    const restore::Holding& holding = contents->Holdings()[item.holding];
                    const std::string& place = holding.originalPath;
                    return platform::IsAtOrBelowFolder(path, place) ||
                           (holding.isFile &&
                            platform::ParentFolder(path) == platform::ParentFolder(place));
                });
        };
        for (const auto& [path, facts] : files.entries)
            Expect(facts.isFolder || before.count(path) ||
                       platform::IsAtOrBelowFolder(path, destination) || inPlace(path),
                   "nothing is written outside the place restored to");
    }
    return 0;
}
