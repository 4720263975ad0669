#include "platform/path_text.h"

#include <gtest/gtest.h>
#include <tuple>

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
