#include "store/option_files.h"
#include "tests/native/recording_ports.h"
#include "tests/native/temp_folder.h"

#include <gtest/gtest.h>

TEST(OptionFiles, ShutdownBoxKeepsEnableAutoInStepWithoutEmptyingIt)
{
    const struct
    {
        const char* before; // nullptr: missing
        bool ticked;
        const char* after;
    } cases[] = {
        {nullptr, true, ""},
        {"left by the companion", true, "left by the companion"},
        {"", false, "<missing>"},
        {nullptr, false, "<missing>"},
    };
    for (const auto& c : cases)
    {
        TempFolder folder;
        if (c.before)
            folder.Write("enableauto", c.before);
        store::UpdateEnableAutoMarker(InstallDirectory(folder.Path()), c.ticked);
        EXPECT_EQ(c.after, folder.Read("enableauto"));
    }
}

TEST(OptionFiles, CatalogFlowRequestsThenStartsBothCompanionsHidden)
{
    TempFolder folder;
    folder.Write("catalog", "stale request");
    const InstallDirectory directory(folder.Path());
    RecordingShell shell;
    // The request and config.bat do not depend on the monitor running.
    shell.refused = {directory.PathOf("Load.exe")};
    store::StartCatalogFlow(directory, shell);
    EXPECT_EQ("", folder.Read("catalog"));
    // A request is not a finished cataloguing.
    EXPECT_FALSE(store::IsCataloged(directory));
    folder.Write("cataloged", "");
    EXPECT_TRUE(store::IsCataloged(directory));
    EXPECT_EQ((Starts{{directory.PathOf("Load.exe"), kShowHidden},
                      {directory.PathOf("config.bat"), kShowHidden}}),
              shell.starts);
}
