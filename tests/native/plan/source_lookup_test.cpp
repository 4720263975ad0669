#include "plan/source_lookup.h"
#include "plan/validate_source_entry.h"
#include "tests/native/support/error_message.h"
#include "tests/native/support/install.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/symbolic_link.h"

#include <algorithm>
#include <gtest/gtest.h>

// Sources that crowd one folder are read from its listing: each reaches what
// it reaches looked up alone (a plain file with no identity read), and a link
// among them to the destination is still refused. A crowd below a folder
// that is not there reaches nothing.
TEST(SourceLookup, ACrowdOfSourcesIsLookedUpThroughItsFolder)
{
    platform::FileTree& files = platform::LocalFiles();
    Install folder;
    std::filesystem::create_directories(folder.PathOf(P("photos/sub")));
    std::vector<std::string> sources = {folder.PathOf(P("photos/sub")),
                                        folder.PathOf(P("photos/missing.jpg"))};
    for (int i = 0; i < 70; ++i)
    {
        const std::string name = std::to_string(i) + ".jpg";
        folder.Write(P("photos/") + name, "x");
        sources.push_back(folder.PathOf(P("photos/") + name));
        sources.push_back(folder.PathOf(P("gone/") + name));
    }
    std::stable_partition(sources.begin(), sources.end(), [](const std::string& source) {
        return source.find("gone") == std::string::npos;
    });
    const std::vector<platform::PathTarget> targets = LookUpSources(sources, files);
    for (size_t i = 0; i < sources.size(); ++i)
    {
        SCOPED_TRACE(sources[i]);
        const platform::PathTarget alone = files.Target(sources[i]);
        EXPECT_EQ(alone.isFile, targets[i].isFile);
        EXPECT_EQ(alone.isFile ? std::nullopt : alone.identity, targets[i].identity);
    }

    BackupSelection selection{sources, folder.PathOf("backup"), {}};
    std::filesystem::create_directory(selection.destination);
    const Link link(selection.destination, folder.PathOf(P("photos/link")), true);
    if (!link)
        GTEST_SKIP() << "no symbolic link can be made here";
    selection.sources.insert(selection.sources.begin() + 30, folder.PathOf(P("photos/link")));
    EXPECT_EQ(Error("Error Duplicate Found. You Cannot Backup " + folder.PathOf(P("photos/link")) +
                    " To " + selection.destination),
              FirstRejectedSource(selection, LookUpSources(selection.sources, files), files));
}
