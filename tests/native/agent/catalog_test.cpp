#include "agent/catalog.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/paths.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>

// The catalog clears the bit of every file of the saved sources, hidden ones
// included, and says so with its marker only once that is done; a request
// the window withdrew, or a list it cannot read, catalogs nothing.
TEST(Catalog, ClearsEveryArchiveBitThenLeavesTheMarker)
{
    const InstallDirectory directory(P("/install"));
    FakeFiles files;
    files.AddFile(P("/u/docs/a.txt"), 1);
    files.AddFolder(P("/u/docs/h"), true);
    files.AddFile(P("/u/docs/h/b.exe"), 1, true);
    files.AddFile(P("/v/x.doc"), 1);
    SaveSelection(directory, Selection({P("/u/docs"), P("/v/x.doc"), P("/gone")}, "", ""), files);
    std::string unreadable;
    EXPECT_EQ(agent::CatalogOutcome::Withdrawn, agent::RunCatalog(directory, files, unreadable));
    files.Replace(directory.PathOf(kCatalogMarker), "");
    files.Remove(directory.PathOf(kFilesToBackupFile));
    files.MakeFolders(directory.PathOf(kFilesToBackupFile));
    EXPECT_EQ(agent::CatalogOutcome::StoreUnreadable,
              agent::RunCatalog(directory, files, unreadable));
    EXPECT_EQ(directory.PathOf(kFilesToBackupFile), unreadable);
    EXPECT_TRUE(files.entries[P("/u/docs/a.txt")].archive);
    EXPECT_FALSE(files.Facts(directory.PathOf(kCatalogedMarker)));
    files.entries.erase(directory.PathOf(kFilesToBackupFile));
    SaveSelection(directory, Selection({P("/u/docs"), P("/v/x.doc"), P("/gone")}, "", ""), files);

    EXPECT_EQ(agent::CatalogOutcome::Done, agent::RunCatalog(directory, files, unreadable));
    for (const char* path : {"/u/docs/a.txt", "/u/docs/h/b.exe", "/v/x.doc"})
        EXPECT_FALSE(files.entries[P(path)].archive) << path;
    EXPECT_EQ("", store::Read(directory.PathOf(kCatalogedMarker), files).text);
    EXPECT_FALSE(files.Facts(directory.PathOf(kCatalogMarker)));

    // A marker that cannot be written leaves the request for the next click.
    files.Remove(directory.PathOf(kCatalogedMarker));
    files.MakeFolders(directory.PathOf(kCatalogedMarker));
    files.Replace(directory.PathOf(kCatalogMarker), "");
    EXPECT_EQ(agent::CatalogOutcome::MarkerNotWritten,
              agent::RunCatalog(directory, files, unreadable));
    EXPECT_TRUE(files.Facts(directory.PathOf(kCatalogMarker)));
}
