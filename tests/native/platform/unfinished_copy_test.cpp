#include "platform/unfinished_copy.h"
#include "tests/native/support/paths.h"

#include <gtest/gtest.h>
#include <utility>

TEST(UnfinishedCopy, OnlyOurOwnSuffixMarksOneInAnyLetterCase)
{
    const std::pair<const char*, bool> names[] = {
        {"a.doc.corvane-part", true}, {"a.doc.Corvane-PART", true}, {"a.doc.part", false},
        {"corvane-part", false},      {"a.corvane-parts", false},   {"a.corvane-part.doc", false},
    };
    for (const auto& [name, unfinished] : names)
        EXPECT_EQ(unfinished, platform::IsUnfinishedCopy(name)) << name;
}

// A name that would pass the file system's 255 characters with the suffix
// takes a hashed one, the same in every run.
TEST(UnfinishedCopy, ALongNameTakesAHashedOne)
{
    const std::string fits(242, 'a'), tooLong(243, 'a');
    EXPECT_EQ(P("/b/") + fits + ".corvane-part", platform::UnfinishedCopyOf(P("/b/") + fits));
    const std::string hashed = platform::UnfinishedCopyOf(P("/b/") + tooLong);
    EXPECT_EQ(P("/b/~12345678.corvane-part").size(), hashed.size()) << hashed;
    EXPECT_EQ(P("/b/~"), hashed.substr(0, 4));
    EXPECT_EQ(hashed, platform::UnfinishedCopyOf(P("/b/") + tooLong));
    EXPECT_NE(hashed, platform::UnfinishedCopyOf(P("/b/") + tooLong + "b"));
}
