#include "flows/option_files.h"
#include "tests/native/temp_folder.h"
#include "tests/native/test_support.h"

#include <gtest/gtest.h>

TEST(OptionFiles, ShutdownBoxKeepsEnableAutoInStepWithoutEmptyingIt)
{
    const struct
    {
        FileMap before;
        bool ticked;
        FileMap after;
    } cases[] = {
        {{}, true, {{"enableauto", ""}}},
        {{{"enableauto", "left by the companion"}},
         true,
         {{"enableauto", "left by the companion"}}},
        {{{"enableauto", ""}}, false, {}},
        {{}, false, {}},
    };
    for (const auto& c : cases)
    {
        TempFolder folder;
        folder.Write(c.before);
        flows::UpdateEnableAutoMarker(InstallDirectory(folder.Path()), c.ticked);
        EXPECT_EQ(c.after, folder.Files());
    }
}
