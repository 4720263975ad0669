#include "plan/validate_source_entry.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

// Compared as the file system compares names; an entry holds the destination
// only up to a folder boundary.
TEST(ValidateSourceEntry, RejectsTheDestinationAndEveryFolderThatHoldsIt)
{
    const std::tuple<std::string, std::string, char> cases[] = {
        // 'D'uplicate, 'R'ecursion, or accepted
        {"C:\\Data", "E:\\Backup", 0},
        {"C:\\Backup", "c:\\BACKUP", 'D'},
        {"", "", 'D'},
        {"c:\\", "C:\\Backup", 'R'},
        {"C:\\DATA", "c:\\data\\backup\\today", 'R'},
        {"C:\\Data", "C:\\Database", 0},
        {"C:\\Backup\\Sub", "C:\\Backup", 0},
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
        EXPECT_EQ(expected, ValidateSourceEntry(entry, destination));
    }
}
