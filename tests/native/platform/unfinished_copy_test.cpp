#include "platform/unfinished_copy.h"
#include "tests/native/support/paths.h"

#include <gtest/gtest.h>
#include <utility>

// Only our own suffix, in any letter case, marks a copy not yet whole; a name
// too long for it takes a hashed one, the same in every run.
TEST(UnfinishedCopy, IsNamedOnlyByOurOwnSuffix)
{
    const std::pair<const char*, bool> names[] = {
        {"a.doc.corvane-part", true}, {"a.doc.Corvane-PART", true},  {"a.doc.part", false},
        {"corvane-part", false},      {"a.corvane-part.doc", false},
    };
    for (const auto& [name, unfinished] : names)
        EXPECT_EQ(unfinished, platform::IsUnfinishedCopy(name)) << name;
    const std::string fits = P("/b/") + std::string(242, 'a'), tooLong = fits + "a";
    EXPECT_EQ(fits + ".corvane-part", platform::UnfinishedCopyOf(fits));
    const std::string hashed = platform::UnfinishedCopyOf(tooLong);
    EXPECT_EQ(P("/b/~12345678.corvane-part").size(), hashed.size()) << hashed;
    EXPECT_EQ(hashed, platform::UnfinishedCopyOf(tooLong));
    EXPECT_NE(hashed, platform::UnfinishedCopyOf(tooLong + "b"));
}
