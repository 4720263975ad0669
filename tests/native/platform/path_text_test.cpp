#include "plan/batch_text.h"
#include "platform/path_text.h"
#include "tests/native/support/utf8_paths.h"

#include <gtest/gtest.h>
#include <tuple>
#ifdef _WIN32
#include <windows.h>
#endif

TEST(PathText, PathBelowAFolderLeavesNoSeparatorBefore)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"E:\\B\\Sub\\a.doc", "E:\\B", "Sub\\a.doc"},
        {"E:\\B\\a.doc", "E:\\B\\", "a.doc"},
        {"E:\\a.doc", "E:\\", "a.doc"},
        {"E:\\B", "E:\\B", ""},
        {"E:\\B\\", "E:\\B", ""},
    };
    for (const auto& [path, folder, below] : cases)
        EXPECT_EQ(below, platform::PathBelow(path, folder)) << path << " below " << folder;
}

// Names in Windows' own code pages. In code page 932 the bytes 83 5C are one
// character whose second byte is a backslash's: "C:\\" followed by them is
// one folder, and ends in no separator; "\x83\x7C" is a letter, not a "|" the
// batch could not carry. Names as Windows hands them to an ANSI program,
// through the real conversions: each kind of character the batch cannot carry
// is refused.
TEST(BatchNames, AreReadByCharacterInWindowsCodePages)
{
#ifndef _WIN32
    GTEST_SKIP() << "the ANSI, OEM and double-byte code pages are Windows' own";
#else
    const std::string folder = "C:\\\x83\x5C";
    EXPECT_FALSE(platform::EndsWithSeparator(folder, 932));
    EXPECT_EQ(2u, platform::FindLastSeparator(folder + "x", 932));
    EXPECT_TRUE(platform::EndsWithSeparator(folder, 1252));
    EXPECT_EQ(std::string::npos, platform::FindFirstCharacterOf("C:\\\x83\x7C", "<|>", 932));
    EXPECT_EQ(5u, platform::FindFirstCharacterOf("C:\\\x83\x7C|", "<|>", 932));
    // UTF-8 has no lead bytes.
    EXPECT_TRUE(platform::EndsWithSeparator(folder, platform::kUtf8CodePage));
    // Whether carried as ANSI and as the companions' UTF-8, which must name the
    // same path in ANSI: a look-alike ("i" for "\u012b") names another.
    const std::tuple<const wchar_t*, bool, bool> names[] = {
        {L"C:\\Caf\u00e9 100%", true, true},
        {L"C:\\\u201cFinal\u201d", false, false}, // a straight quote in the OEM code page
        {L"C:\\\uff02Final", false, false},       // a straight quote already in ANSI
        {L"C:\\Price \u20ac", false, false},      // "?" in the OEM code page
        {L"C:\\\u4e2d\u6587", false, false},      // "?" already in ANSI
        {L"C:\\R\u012bga", true, false},
    };
    for (const auto& [wide, carriedAsAnsi, carriedAsUtf8] : names)
    {
        char ansi[MAX_PATH] = {}, utf8[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, MAX_PATH, nullptr, nullptr);
        WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8, MAX_PATH, nullptr, nullptr);
        EXPECT_EQ(carriedAsAnsi, CanCarryInBatch(ansi)) << ansi;
        const Utf8Paths companions;
        EXPECT_EQ(carriedAsUtf8, CanCarryInBatch(utf8)) << utf8;
    }
#endif
}
