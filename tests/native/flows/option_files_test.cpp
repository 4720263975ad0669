#include "flows/option_files.h"
#include "tests/native/support/error_message.h"
#include "tests/native/support/install.h"

#include <gtest/gtest.h>
#include <tuple>

// The request, then Load.exe and config.bat, hidden. A request that cannot be
// written starts nothing; a program that cannot be started stops the flow and
// takes the request back, so that nothing half-started waits for it.
TEST(CatalogFlow, RequestsThenStartsBothHiddenOrSaysWhatFailed)
{
    // The file that fails, the error (empty: none), the starts, what is left.
    const std::tuple<std::string, std::string, size_t, FileMap> cases[] = {
        {"", "", 2, {{"catalog", ""}}},
        {"catalog", "Error Cannot Write ", 0, {{"catalog", "<folder>"}}},
        {"Load.exe", "Error Cannot Start ", 1, {}},
        {"config.bat", "Error Cannot Start ", 2, {}},
    };
    for (const auto& [failing, error, starts, left] : cases)
    {
        SCOPED_TRACE(failing);
        Install folder;
        const InstallDirectory directory(folder.Path());
        RecordingShell shell;
        if (failing == "catalog")
            std::filesystem::create_directory(folder.PathOf("catalog"));
        else
            shell.refused = {directory.PathOf(failing)};

        const std::optional<Message> failure =
            flows::StartCatalogFlow(directory, shell, platform::LocalFiles());

        EXPECT_EQ(error.empty() ? std::nullopt
                                : std::optional(Error(error + directory.PathOf(failing) +
                                                      " \nDetails:The catalog was not started")),
                  failure);
        Starts expected = {{directory.PathOf("Load.exe"), kShowHidden},
                           {directory.PathOf("config.bat"), kShowHidden}};
        expected.resize(starts);
        EXPECT_EQ(expected, shell.starts);
        EXPECT_EQ(left, folder.Files());
    }
}
