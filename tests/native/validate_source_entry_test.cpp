#include "plan/validate_source_entry.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

TEST(ValidateSourceEntry, RejectsTheDestinationAndEveryFolderThatHoldsIt)
{
    const struct
    {
        std::string entry;
        std::string destination;
        char rejection; // 'D'uplicate, 'R'ecursion, or none
    } cases[] = {
        {"C:\\Data", "E:\\Backup", 0},
        {"E:\\", "E:\\", 'D'},
        {"C:\\Backup", "c:\\BACKUP", 'D'},
        {"", "", 'D'},
        {"", "C:\\Backup", 0},
        {"c:\\", "C:\\Backup", 'R'},
        {"D:\\", "C:\\Backup", 0},
        {"C:\\DATA", "c:\\data\\backup\\today", 'R'},
        {"C:\\Data", "C:\\Database", 0},
        {"C:\\Backup\\Sub", "C:\\Backup", 0},
        {"C:\\Data\\Backup\\", "C:\\Data", 0},
#ifdef _WIN32
        // The file system ignores the case of letters beyond ASCII as well.
        {"C:\\Caf\xE9", "C:\\CAF\xC9", 'D'},
        {"C:\\\xC9t\xE9", "C:\\\xE9T\xC9\\Backup", 'R'},
#endif
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE("entry \"" + c.entry + "\", destination \"" + c.destination + "\"");
        std::optional<Message> expected;
        if (c.rejection == 'D')
            expected = Error("Error Duplicate Found. You Cannot Backup " + c.entry + " To " +
                             c.destination);
        if (c.rejection == 'R')
            expected = Error("Error Cannot Backup To " + c.destination + " From " + c.entry +
                             " \nDetails:Reccursive(infinite) backup would occur");
        EXPECT_EQ(expected, ValidateSourceEntry(c.entry, c.destination));
    }
}
