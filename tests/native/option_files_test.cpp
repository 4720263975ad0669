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

TEST(OptionFiles, CatalogFlowRequestsThenStartsBothCompanionsHidden)
{
    TempFolder folder;
    folder.Write("catalog", "stale request");
    const InstallDirectory directory(folder.Path());
    RecordingShell shell;
    // config.bat does not depend on the monitor running.
    shell.refused = {directory.PathOf("Load.exe")};
    flows::StartCatalogFlow(directory, shell);
    EXPECT_EQ((FileMap{{"catalog", ""}}), folder.Files());
    EXPECT_EQ((Starts{{directory.PathOf("Load.exe"), kShowHidden},
                      {directory.PathOf("config.bat"), kShowHidden}}),
              shell.starts);
    // A request is not a finished cataloguing.
    EXPECT_FALSE(flows::IsCataloged(directory));
    folder.Write("cataloged", "");
    EXPECT_TRUE(flows::IsCataloged(directory));
}
