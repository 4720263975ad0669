#include "plan/source_lookup.h"
#include "plan/validate_source_entry.h"
#include "tests/native/support/error_message.h"
#include "tests/native/support/fake_files.h"

#include <gtest/gtest.h>
#include <optional>
#include <tuple>

// Compared as the file system compares names; an entry holds the destination
// only up to a folder boundary.
// By identity too, with the same messages: a junction or another drive letter
// to the destination or a folder above it; and no source inside the backup's
// own reports or versions folder.
TEST(ValidateSourceEntry, RejectsTheDestinationAndEveryFolderThatHoldsIt)
{
    FakeFiles files;
    files.AddFolder("C:\\Data\\Backup", false);
    files.aliases = {{"J:\\Same", "C:\\Data\\Backup"}, {"J:\\Up", "C:\\Data"}};
    const std::tuple<std::string, std::string, char> cases[] = {
        // 'D'uplicate, 'R'ecursion, or accepted
        {"C:\\Data", "E:\\Backup", 0},
        {"C:\\Backup", "c:\\BACKUP", 'D'},
        {"", "", 'D'},
        {"c:\\", "C:\\Backup", 'R'},
        {"C:\\DATA", "c:\\data\\backup\\today", 'R'},
        {"C:\\Data", "C:\\Database", 0},
        {"C:\\Backup\\Sub", "C:\\Backup", 0},
        {"J:\\Same", "C:\\Data\\Backup", 'D'},
        {"J:\\Up", "C:\\Data\\Backup", 'R'},
        {"C:\\Data\\Backup\\Corvane Backup reports", "C:\\Data\\Backup", 'R'},
        {"C:\\Data\\Backup\\Corvane Backup versions\\C", "C:\\Data\\Backup", 'R'},
        {"C:\\Data\\Backup\\Sub", "C:\\Data\\Backup", 0},
#ifdef _WIN32
        {"C:\\Caf\xE9", "C:\\CAF\xC9", 'D'},
        {"C:\\\xC9t\xE9", "C:\\\xE9T\xC9\\Backup", 'R'},
#endif
    };
    for (const auto& [entry, destination, rejection] : cases)
    {
        SCOPED_TRACE("entry \"" + entry + "\", destination \"" + destination + "\"");
        std::optional<Message> expected;
        if (rejection == 'D')
            expected =
                Error("Error Duplicate Found. You Cannot Backup " + entry + " To " + destination);
        if (rejection == 'R')
            expected = Error("Error Cannot Backup To " + destination + " From " + entry +
                             " \nDetails:Reccursive(infinite) backup would occur");
        EXPECT_EQ(expected, SourceEntryChecks(destination, files).Check(entry));
        const BackupSelection selection{{entry}, destination, {}};
        EXPECT_EQ(expected,
                  FirstRejectedSource(selection, LookUpSources(selection.sources, files), files));
    }
}
