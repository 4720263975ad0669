#include "store/store_file.h"
#include "store/store_formats.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/install.h"

#include <gtest/gtest.h>

// Long texts go to the disk in pieces: no line end may be split, lost or
// doubled where one piece ends, and a line longer than a piece stays whole.
// Written from its lines, a list gives the same bytes.
TEST(StoreFile, LongTextKeepsEveryByteAndLineEnd)
{
    std::string text = "\n" + std::string(65533, 'y') + "\n\n\r" + std::string(70000, 'z') + "\r\n";
    for (int i = 0; text.size() < 400000; ++i)
        text += std::string(static_cast<size_t>(i % 97), 'a' + static_cast<char>(i % 26)) + "\n";
    std::string expected;
    for (const char c : text)
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Install install;
    ASSERT_TRUE(
        store::ReplaceWithText(install.PathOf("filestobackup.bck"), text, platform::LocalFiles()));
    EXPECT_TRUE(install.Read("filestobackup.bck") == expected);
    EXPECT_TRUE(store::Read(install.PathOf("filestobackup.bck"), platform::LocalFiles()).text ==
                text);

    const std::vector<std::string> lines = store::ParseSourceList(text);
    ASSERT_TRUE(platform::LocalFiles().Replace(install.PathOf("lines"), store::DiskLines(lines)));
    EXPECT_TRUE(install.Read("lines") == expected);
}

// A list that grows while it is read is read to its end, each line whole and
// followed by a NUL wherever the buffer moved to.
TEST(StoreFile, AListThatGrowsWhileReadKeepsEveryLine)
{
    struct Growing : FakeFiles
    {
        platform::OpenedFile OpenToRead(const std::string& path) override
        {
            return {platform::ReadResult::Read, std::make_unique<BytesReader>(bytes[path], 10)};
        }
    } files;
    std::vector<std::string> lines;
    for (int i = 0; i < 30000; ++i)
        lines.push_back("C:\\Folder " + std::to_string(i));
    files.bytes["list"] = store::FormatSourceList(lines);
    const store::FileLines read = store::ReadLines("list", files);
    EXPECT_EQ(lines, std::vector<std::string>(read.lines.begin(), read.lines.end()));
    for (const std::string_view line : read.lines)
        ASSERT_EQ('\0', line.data()[line.size()]);
}

// A file that holds the text already, line ends and all, is not written again;
// one that differs in any byte is.
TEST(StoreFile, OnlyADifferentFileIsReplaced)
{
    Install install;
    const std::string path = install.PathOf("settings.dat");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(30);
    for (const char* held : {"1;0;\n", "1;0;\r\nmore", "1;0;"})
    {
        install.Write("settings.dat", held);
        std::filesystem::last_write_time(path, old);
        ASSERT_TRUE(store::ReplaceWithTextIfDifferent(path, "1;0;\n", platform::LocalFiles()));
        EXPECT_EQ("1;0;\r\n", install.Read("settings.dat"));
        EXPECT_NE(old, std::filesystem::last_write_time(path));
    }
    // As the file system keeps it, to its own precision.
    std::filesystem::last_write_time(path, old);
    const auto kept = std::filesystem::last_write_time(path);
    ASSERT_TRUE(store::ReplaceWithTextIfDifferent(path, "1;0;\n", platform::LocalFiles()));
    EXPECT_EQ(kept, std::filesystem::last_write_time(path));
}
