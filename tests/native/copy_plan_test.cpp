#include "plan/copy_plan.h"
#include "platform/file_system.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

namespace
{

const std::string kSep(1, platform::kPathSeparator);

// Where the plan's steps put their copies of one file below the first source
// (each step that copies it adds its copy path).
std::set<std::string> CopiesOf(const CopyPlan& plan, const std::string& relative, bool hidden)
{
    std::set<std::string> copies;
    for (const CopyStep& step : plan.steps)
    {
        if (step.source == &plan.sources[0] && step.Copies(relative, hidden))
            copies.insert(step.CopyPathOf(relative));
    }
    return copies;
}

CopyPlan Plan(const std::string& ticks, bool sourceIsFile = false)
{
    return PlanBackup(Selection({"src"}, "dest", ticks),
                      [sourceIsFile](const std::string&) { return sourceIsFile; });
}

} // namespace

// Names as users have them: the options match by the end of the long name, in
// any letter case, in every subfolder; hidden files only with the lines that
// copy everything.
TEST(CopyPlan, StepsMatchNamesAsXcopyDoesOnLongNames)
{
    struct Case
    {
        const char* ticks;
        std::string relative;
        bool hidden;
        bool copied;
    };
    const std::string trip = "Trip" + kSep;
    const Case cases[] = {
        {"0001000000", "beach.jpg", false, true},
        {"0001000000", "Logo.PNG", false, true},
        {"0001000000", trip + "sunset.JPEG", false, true},
        {"0001000000", "scan.tiff", false, true},
        {"0001000000", "photos.jpg.zip", false, false},
        {"0001000000", "beach.jpg", true, false},
        {"0000100000", "song.Mp3", false, true},
        {"0000100000", "song.mp3.part", false, false},
        {"0000010000", "clip.mpeg", false, true},
        {"0000010000", "movie.mp4", false, false},
        {"0000001000", "notes.TXT", false, true},
        {"0000001000", "report.docx", false, false},
        {"0000001000", "secret.txt", true, false},
        {"1000000000", "secret.txt", true, true},
        {"1000000000", trip + "raw.xyz", false, true},
        {"0000000100", trip + "secret.txt", true, true},
        {"0000000010", "beach.jpg", false, false},
    };
    for (const Case& c : cases)
    {
        const std::set<std::string> expected = {"dest" + kSep + c.relative};
        EXPECT_EQ(c.copied ? expected : std::set<std::string>{},
                  CopiesOf(Plan(c.ticks), c.relative, c.hidden))
            << c.ticks << " " << c.relative << (c.hidden ? " (hidden)" : "");
    }
}

// A pattern appended to a file's path names nothing: only the lines that copy
// everything copy a file source, into the destination by its own name.
TEST(CopyPlan, FileSourceIsCopiedOnlyByTheLinesThatCopyEverything)
{
    EXPECT_EQ(std::set<std::string>{}, CopiesOf(Plan("0001000000", true), "a.jpg", false));
    EXPECT_EQ(std::set<std::string>{"dest" + kSep + "a.jpg"},
              CopiesOf(Plan("1000000000", true), "a.jpg", false));
}

// The system folder is copied whole, hidden files included, into its own
// folder, and never with the modified-only switch.
TEST(CopyPlan, SystemStateCopiesTheWholeSystemFolderOnce)
{
    const CopyPlan plan = PlanBackup(Selection({"a", "b"}, "dest", "0000000011"),
                                     [](const std::string&) { return false; });
    ASSERT_EQ(1u, plan.steps.size());
    const CopyStep& step = plan.steps[0];
    EXPECT_TRUE(step.source->isSystemFolder);
    EXPECT_FALSE(step.modifiedOnly);
    EXPECT_TRUE(step.Copies("drivers" + kSep + "x.sys", true));
    EXPECT_EQ("dest\\systemstate" + kSep + "x.sys", step.CopyPathOf("x.sys"));
}
