#include "store/save_store.h"
#include "tests/native/recording_ports.h"
#include "tests/native/temp_folder.h"
#include "tests/native/test_selection.h"

#include <gtest/gtest.h>

namespace
{

const char* const kStoreFiles[] = {"settings.dat", "enableauto", "mod.bat",
                                   "cataloged",    "data.dat",   "filestobackup.bck"};

} // namespace

TEST(SaveStore, WritesTheWholeSelectionWithWindowsBytes)
{
    TempFolder folder;
    folder.Write("enableauto", "old");
    folder.Write("cataloged", "done");
    RecordingPrompt prompt;
    const auto selection = Selection({"C:\\Data", "D:\\x.doc"}, "E:\\Backup", "0111000001");
    EXPECT_EQ(store::SaveOutcome::Saved,
              store::SaveStore(selection, InstallDirectory(folder.Path()), prompt));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ("0;1;1;1;0;0;0;0;0;1;", folder.Read("settings.dat"));
    EXPECT_EQ("", folder.Read("enableauto"));
    // cataloged belongs to the companion programs while the option stays on.
    EXPECT_EQ("done", folder.Read("cataloged"));
    EXPECT_EQ("E:\\Backup", folder.Read("data.dat"));
    EXPECT_EQ("C:\\Data\r\nD:\\x.doc\r\n", folder.Read("filestobackup.bck"));
    const std::string modBatch = folder.Read("mod.bat");
    EXPECT_EQ(0u,
              modBatch.find("xcopy /m /d /y /s /C /I  \"C:\\Documents and Settings\" "
                            "\"E:\\Backup\"\r\nxcopy /m /d /y /s /C /I  C:\\ \"E:\\Backup\"\r\n"));
    const std::string lastLine = "\r\nxcopy /m /d /y /s /C /I  Z:\\ \"E:\\Backup\"";
    EXPECT_EQ(modBatch.size() - lastLine.size(), modBatch.rfind(lastLine));
}

TEST(SaveStore, UntickedOptionsAndEmptyListRemoveTheirFiles)
{
    TempFolder folder;
    for (const char* name : kStoreFiles)
        folder.Write(name, "old");
    RecordingPrompt prompt;
    EXPECT_EQ(store::SaveOutcome::Saved, store::SaveStore(Selection({}, "", "1000000000"),
                                                          InstallDirectory(folder.Path()), prompt));
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ("1;0;0;0;0;0;0;0;0;0;", folder.Read("settings.dat"));
    EXPECT_EQ("", folder.Read("data.dat"));
    for (const char* gone : {"enableauto", "mod.bat", "cataloged", "filestobackup.bck"})
        EXPECT_FALSE(folder.Exists(gone)) << gone;
}

// Every entry is checked before the first write, so a rejected save costs
// nothing: the store is exactly the one the last good save left.
TEST(SaveStore, RejectedEntryLeavesEveryStoreFileAsItWas)
{
    const struct
    {
        std::vector<std::string> sources;
        std::string message;
    } cases[] = {
        {{"C:\\a", "C:\\b", "e:\\backup", "E:\\"},
         "Error Duplicate Found. You Cannot Backup e:\\backup To E:\\Backup"},
        {{"C:\\a", "E:\\", "E:\\Backup"},
         "Error Cannot Backup To E:\\Backup From E:\\ \nDetails:Reccursive(infinite) backup would "
         "occur"},
    };
    for (const auto& c : cases)
    {
        TempFolder folder;
        for (const char* name : kStoreFiles)
            folder.Write(name, std::string("old ") + name);
        RecordingPrompt prompt;
        EXPECT_EQ(store::SaveOutcome::Rejected,
                  store::SaveStore(Selection(c.sources, "E:\\Backup", "0000000000"),
                                   InstallDirectory(folder.Path()), prompt));
        EXPECT_EQ((std::vector<Message>{{c.message, "ERROR", kStopType}}), prompt.shown);
        for (const char* name : kStoreFiles)
            EXPECT_EQ(std::string("old ") + name, folder.Read(name));
    }
}
