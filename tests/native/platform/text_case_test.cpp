#include "platform/text_case.h"
#include "tests/native/support/utf8_paths.h"

#include <gtest/gtest.h>
#include <utility>

// In UTF-8 every alphabet folds, whatever the user's language; a character
// whose upper case takes another number of bytes, and bytes that are no
// UTF-8, stay as they are, so that an offset into the folded path is one into
// the path.
TEST(TextCase, Utf8FoldsEveryAlphabetKeepingEachCharactersBytes)
{
    const Utf8Paths utf8;
    const std::pair<std::string, std::string> cases[] = {
        {"c:\\docs\\report.doc", "C:\\DOCS\\REPORT.DOC"},
        {"Отчёт за год.doc", "ОТЧЁТ ЗА ГОД.DOC"},
        {"Ελληνικά.doc", "ΕΛΛΗΝΙΚΆ.DOC"},
        {"日本語の文書.doc", "日本語の文書.DOC"},
        {"🙂 smile.doc", "🙂 SMILE.DOC"},
        {"café", "CAFÉ"},
        // ı to I and ɐ to Ɐ would change the length.
        {"ıɐ", "ıɐ"},
        // An ANSI "é", and a character cut short.
        {"caf\xE9", "CAF\xE9"},
        {"a\xD0", "A\xD0"},
    };
    for (const auto& [text, folded] : cases)
        EXPECT_EQ(folded, platform::UpperCasePath(text)) << text;
}
