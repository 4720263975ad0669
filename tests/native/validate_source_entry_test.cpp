#include "backup/validate_source_entry.h"

#include <gtest/gtest.h>

namespace
{

std::string Duplicate(const std::string& entry, const std::string& destination)
{
    return "Error Duplicate Found. You Cannot Backup " + entry + " To " + destination;
}

std::string Recursive(const std::string& entry, const std::string& destination)
{
    return "Error Cannot Backup To " + destination + " From " + entry +
           " \nDetails:Reccursive(infinite) backup would occur";
}

struct EntryCase
{
    std::string entry;
    std::string destination;
    std::string message; // empty: accepted
};

} // namespace

TEST(ValidateSourceEntry, RejectsTheDestinationAndEveryFolderThatHoldsIt)
{
    const EntryCase cases[] = {
        {"C:\\Data", "E:\\Backup", ""},
        {"E:\\", "E:\\", Duplicate("E:\\", "E:\\")},
        {"C:\\Backup", "c:\\BACKUP", Duplicate("C:\\Backup", "c:\\BACKUP")},
        {"", "", Duplicate("", "")},
        {"C:\\", "C:\\Backup", Recursive("C:\\", "C:\\Backup")},
        {"c:\\", "C:\\Backup", Recursive("c:\\", "C:\\Backup")},
        {"D:\\", "C:\\Backup", ""},
        {"C:\\Data", "C:\\Data\\Backup", Recursive("C:\\Data", "C:\\Data\\Backup")},
        {"C:\\DATA", "c:\\data\\backup\\today", Recursive("C:\\DATA", "c:\\data\\backup\\today")},
        {"C:\\Data", "C:\\Database", ""},
        {"C:\\Data\\Backup", "C:\\Data", ""},
        {"C:\\Backup\\Sub", "C:\\Backup", ""},
        {"C:\\Backup\\notes.txt", "C:\\Backup", ""},
        {"C:\\Data\\Backup\\", "C:\\Data", ""},
        {"\\\\server\\share", "\\\\server\\share\\backup",
         Recursive("\\\\server\\share", "\\\\server\\share\\backup")},
        {"", "C:\\Backup", ""},
    };
    for (const EntryCase& c : cases)
    {
        SCOPED_TRACE("entry \"" + c.entry + "\", destination \"" + c.destination + "\"");
        const std::optional<Message> result = ValidateSourceEntry(c.entry, c.destination);
        if (c.message.empty())
            EXPECT_EQ(std::nullopt, result);
        else
            EXPECT_EQ(Message({c.message, "ERROR", kStopType}), result);
    }
}

#ifdef _WIN32
// The file system ignores the case of letters beyond ASCII as well.
TEST(ValidateSourceEntry, IgnoresCaseOfAnsiLetters)
{
    EXPECT_EQ(Message({Duplicate("C:\\Donn\xE9"
                                 "es",
                                 "C:\\DONN\xC9"
                                 "ES"),
                       "ERROR", kStopType}),
              ValidateSourceEntry("C:\\Donn\xE9"
                                  "es",
                                  "C:\\DONN\xC9"
                                  "ES"));
    EXPECT_EQ(Message({Recursive("C:\\\xC9t\xE9", "C:\\\xE9T\xC9\\Backup"), "ERROR", kStopType}),
              ValidateSourceEntry("C:\\\xC9t\xE9", "C:\\\xE9T\xC9\\Backup"));
}
#endif
