#include "flows/save_store.h"
#include "plan/validate_source_entry.h"
#include "tests/native/temp_folder.h"
#include "tests/native/test_support.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace
{

// mod.bat for an empty destination: 25 lines, the last without a line end.
const std::string kModBatch = "xcopy /m /d /y /s /C /I  \"C:\\Documents and Settings\" \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  C:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  D:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  E:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  F:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  G:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  H:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  I:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  J:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  K:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  L:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  M:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  N:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  O:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  P:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  Q:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  R:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  S:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  T:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  U:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  V:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  W:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  X:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  Y:\\ \"\"\r\n"
                              "xcopy /m /d /y /s /C /I  Z:\\ \"\"";

const FileMap kOldStore = {{"settings.dat", "old"}, {"enableauto", "old"},
                           {"mod.bat", "old"},      {"cataloged", "old"},
                           {"data.dat", "old"},     {"filestobackup.bck", "old"}};

struct Save
{
    TempFolder folder;
    RecordingPrompt prompt;

    flows::SaveOutcome operator()(const BackupSelection& selection)
    {
        return flows::SaveStore(selection, InstallDirectory(folder.Path()), prompt);
    }
};

} // namespace

TEST(SaveStore, WritesTheSelectionAndRemovesWhatTheOptionsNoLongerNeed)
{
    // The interpreter reads mod.bat; data.dat keeps the path as typed.
    const std::string typed = "E:\\100%\\Caf\xE9";
    std::string modBatchForTyped = kModBatch;
    const std::string target = "\"E:\\100%%\\Caf" + kBatchE + "\"";
    for (size_t at = modBatchForTyped.find("\"\""); at != std::string::npos;
         at = modBatchForTyped.find("\"\"", at + target.size()))
        modBatchForTyped.replace(at, 2, target);

    const struct
    {
        FileMap before;
        BackupSelection selection;
        FileMap after;
    } cases[] = {
        // mod.bat follows the destination even when there is none; cataloged
        // belongs to the companion programs while the option stays on.
        {{{"enableauto", "old"}, {"cataloged", "done"}},
         Selection({"C:\\Data", "D:\\x.doc"}, "", "0111000001"),
         {{"settings.dat", "0;1;1;1;0;0;0;0;0;1;"},
          {"enableauto", ""},
          {"cataloged", "done"},
          {"mod.bat", kModBatch},
          {"data.dat", ""},
          {"filestobackup.bck", "C:\\Data\r\nD:\\x.doc\r\n"}}},
        {kOldStore,
         Selection({}, "E:\\Backup", "1000000000"),
         {{"settings.dat", "1;0;0;0;0;0;0;0;0;0;"}, {"data.dat", "E:\\Backup"}}},
        {{},
         Selection({"C:\\Data"}, typed, "0010000000"),
         {{"settings.dat", "0;0;1;0;0;0;0;0;0;0;"},
          {"mod.bat", modBatchForTyped},
          {"data.dat", typed},
          {"filestobackup.bck", "C:\\Data\r\n"}}},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.after.at("settings.dat"));
        Save save;
        save.folder.Write(c.before);
        EXPECT_EQ(flows::SaveOutcome::Saved, save(c.selection));
        EXPECT_TRUE(save.prompt.shown.empty());
        EXPECT_EQ(c.after, save.folder.Files());
    }
}

// Every entry is checked before the first write: a rejected save leaves the
// store exactly as the last good save left it, and names the first entry
// that fails, not a later one.
TEST(SaveStore, RejectedEntryLeavesEveryStoreFileAsItWas)
{
    Save save;
    save.folder.Write(kOldStore);
    EXPECT_EQ(flows::SaveOutcome::Rejected,
              save(Selection({"C:\\a", "e:\\backup", "E:\\"}, "E:\\Backup", "0000000000")));
    EXPECT_EQ(std::vector<Message>{*ValidateSourceEntry("e:\\backup", "E:\\Backup")},
              save.prompt.shown);
    EXPECT_EQ(kOldStore, save.folder.Files());
}

// Each file of the save fails in turn: a folder squats on the name a
// replacement is first written to, or on the name of a file to remove.
TEST(SaveStore, FileThatCannotBeSavedCostsNoOtherAndIsReportedOnce)
{
    const struct
    {
        const char* failing;
        const char* ticks;
        std::vector<std::string> sources;
    } cases[] = {
        {"settings.dat", "1110000010", {"C:\\a"}},
        {"enableauto", "0100000000", {"C:\\a"}},                 // written
        {"enableauto", "0000000000", {"C:\\a"}},                 // removed
        {"mod.bat", "0010000000", {"C:\\a"}},                    // written
        {"mod.bat", "0000000000", {"C:\\a"}},                    // removed
        {"cataloged", "0000000000", {"C:\\a"}},                  // removed
        {"data.dat", "1000000000", {"C:\\a"}},                   // written
        {"filestobackup.bck", "1000000000", {"C:\\a", "D:\\b"}}, // written
        {"filestobackup.bck", "1000000000", {}},                 // removed
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.failing) + " " + c.ticks);
        const auto selection = Selection(c.sources, "E:\\Backup", c.ticks);
        Save clean;
        ASSERT_EQ(flows::SaveOutcome::Saved, clean(selection));
        FileMap expected = clean.folder.Files();
        std::string squatted = c.failing;
        Save failed;
        if (expected.count(c.failing))
        {
            // The old file must come through whole.
            squatted += ".tmp";
            failed.folder.Write(c.failing, "old\r\n");
            expected[c.failing] = "old\r\n";
        }
        std::filesystem::create_directory(failed.folder.PathOf(squatted));
        expected[squatted] = "<folder>";

        EXPECT_EQ(flows::SaveOutcome::Saved, failed(selection));
        EXPECT_EQ(
            std::vector<Message>{Error("Error Cannot Save Settings To " + failed.folder.Path() +
                                       " \nDetails:Some settings were not saved")},
            failed.prompt.shown);
        EXPECT_EQ(expected, failed.folder.Files());
    }
}
