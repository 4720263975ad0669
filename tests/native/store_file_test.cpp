#include "store/store_file.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

// Long texts go to the disk in pieces: no line end may be split, lost or
// doubled where one piece ends, and a line longer than a piece stays whole.
TEST(StoreFile, LongTextKeepsEveryByteAndLineEnd)
{
    std::string text = "\n" + std::string(65533, 'y') + "\n\n\r" + std::string(70000, 'z') + "\r\n";
    for (int i = 0; text.size() < 400000; ++i)
        text += std::string(static_cast<size_t>(i % 97), 'a' + static_cast<char>(i % 26)) + "\n";
    std::string expected;
    for (const char c : text)
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Install install;
    ASSERT_TRUE(store::TruncateWrite(install.PathOf("filestobackup.bck"), text));
    EXPECT_TRUE(install.Read("filestobackup.bck") == expected);
    EXPECT_TRUE(store::CreateRead(install.PathOf("filestobackup.bck")) == text);
}
