#include "plan/copy_plan.h"
#include "tests/native/support/fake_files.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>

// A plan keeps the texts of each of many sources whole, and its own: they
// outlive the selection it was made from, a name longer than the others put
// together among them, and a move of the plan.
TEST(CopyPlan, KeepsEverySourcesTextsWhole)
{
    std::vector<std::string> sources;
    for (int i = 0; i < 3000; ++i)
        sources.push_back("C:\\Folder " + std::to_string(i) + std::string(40, 'x'));
    sources[1500] = "C:\\" + std::string(100000, 'y');
    FakeFiles files;
    CopyPlan plan = PlanBackup(Selection(sources, "E:\\", "1000000000"), files);
    const CopyPlan moved = std::move(plan);
    ASSERT_EQ(sources.size() + 1, moved.sources.size());
    for (size_t i = 0; i < sources.size(); ++i)
    {
        EXPECT_EQ(sources[i], moved.sources[i].path);
        EXPECT_EQ("E:\\C\\" + sources[i].substr(3), moved.sources[i].copyFolder);
    }
}
