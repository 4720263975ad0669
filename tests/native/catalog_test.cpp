#include "companions/catalog.h"
#include "tests/native/agent_support.h"

#include <gtest/gtest.h>

// The catalog clears the bit of every file of the saved sources, hidden ones
// included, and says so with its marker only once that is done.
TEST(Catalog, ClearsEveryArchiveBitThenLeavesTheMarker)
{
    Install install;
    const InstallDirectory directory(install.Path());
    FakeFiles files;
    files.AddFile(P("/u/docs/a.txt"), 1);
    files.AddFolder(P("/u/docs/h"), true);
    files.AddFile(P("/u/docs/h/b.exe"), 1, true);
    files.AddFile(P("/v/x.doc"), 1);
    SaveSelection(directory, Selection({P("/u/docs"), P("/v/x.doc"), P("/gone")}, "", ""));
    install.Write(kCatalogMarker, "");

    EXPECT_EQ(companions::CatalogOutcome::Done, companions::RunCatalog(directory, files));
    for (const auto& [path, facts] : files.entries)
        EXPECT_FALSE(facts.archive) << path;
    EXPECT_EQ("", install.Read(kCatalogedMarker));
    EXPECT_FALSE(install.Exists(kCatalogMarker));

    // A marker that cannot be written leaves the request for the next click.
    std::filesystem::remove(install.PathOf(kCatalogedMarker));
    std::filesystem::create_directory(install.PathOf(kCatalogedMarker));
    install.Write(kCatalogMarker, "");
    EXPECT_EQ(companions::CatalogOutcome::MarkerNotWritten,
              companions::RunCatalog(directory, files));
    EXPECT_TRUE(install.Exists(kCatalogMarker));
}
