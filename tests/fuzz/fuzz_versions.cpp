#include "companions/versions.h"
#include "platform/local_time.h"
#include "tests/fuzz/fuzz_destination_tree.h"

#include <algorithm>

// The versions folder of one copy as a share may hold it: names of every
// kind, with any times. Whatever it holds, the versions found are that
// copy's, newest first, and retention keeps the ten newest and deletes
// nothing else of the folder's.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FakeFiles files;
    const std::string destination = P("/d");
    const std::string copy = P("/d/w/report.doc");
    const std::string folder = companions::VersionFolderOf(destination, copy);
    PlantTree(files, folder, std::string_view(reinterpret_cast<const char*>(data), size));

    const std::vector<companions::Version> versions =
        companions::VersionsOf(destination, copy, files);
    size_t named = 0;
    for (const auto& [path, facts] : files.entries)
        named += !facts.isFolder && platform::ParentFolder(path) == folder &&
                 files.FoldCase(companions::CopyNameOfVersion(platform::LastComponent(path))) ==
                     files.FoldCase("report.doc");
    Expect(versions.size() == named, "every version of the copy is found, and nothing else");
    Expect(std::is_sorted(versions.begin(), versions.end(),
                          [](const companions::Version& a, const companions::Version& b) {
                              return a.lastWrite > b.lastWrite;
                          }),
           "versions come newest first");
    int counted = 0;
    for (const companions::VersionCount& count : companions::CountVersions(folder, files))
        counted += files.FoldCase(count.name) == files.FoldCase("report.doc") ? count.count : 0;
    Expect(static_cast<size_t>(counted) == named, "the count is the versions found");

    // A name made for a copy of any time in the years a disk keeps is read
    // back as one of its versions.
    if (!versions.empty() && platform::LocalTimeOf(versions.front().lastWrite).tm_year >= 80 &&
        platform::LocalTimeOf(versions.front().lastWrite).tm_year < 8100)
        Expect(companions::CopyNameOfVersion(platform::LastComponent(companions::FreeVersionPath(
                   destination, copy, versions.front().lastWrite, files))) == "report.doc",
               "a version name made is read back");

    const auto before = files.entries;
    std::tm today{};
    today.tm_year = 126;
    today.tm_mday = 8;
    companions::ApplyRetention(destination, copy, today, files);
    for (size_t i = 0; i < versions.size() && i < 10; ++i)
        Expect(files.entries.count(versions[i].path) == 1, "the ten newest versions stay");
    for (const auto& entry : before)
    {
        const std::string& path = entry.first;
        Expect(files.entries.count(path) == 1 ||
                   std::any_of(versions.begin(), versions.end(),
                               [&path](const companions::Version& v) { return v.path == path; }),
               "retention deletes versions of the copy only");
    }
    return 0;
}
