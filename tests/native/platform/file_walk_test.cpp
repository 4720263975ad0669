#include "platform/file_walk.h"

#include <gtest/gtest.h>
#include <utility>

TEST(FileWalk, AnUnfinishedCopyIsNamedSoInAnyLetterCase)
{
    const std::pair<const char*, bool> names[] = {
        {"a.doc.part", true}, {"a.doc.PART", true}, {".part", true},       {"a.doc", false},
        {"part", false},      {"a.parts", false},   {"a.part.doc", false},
    };
    for (const auto& [name, unfinished] : names)
        EXPECT_EQ(unfinished, platform::IsUnfinishedCopy(name)) << name;
}
