#include "flows/save_store.h"
#include "tests/native/support/batch_letter.h"
#include "tests/native/support/error_message.h"
#include "tests/native/support/install.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>
#include <tuple>

namespace
{

// mod.bat for a destination in its batch form: 25 lines, the last without a
// line end.
std::string ModBatch(const std::string& target)
{
    std::string text = "xcopy /m /d /y /s /C /I  \"C:\\Documents and Settings\" " + target;
    for (const char drive : std::string("CDEFGHIJKLMNOPQRSTUVWXYZ"))
        text += "\r\nxcopy /m /d /y /s /C /I  " + std::string(1, drive) + ":\\ " + target;
    return text;
}

const FileMap kOldStore = {{"settings.dat", "old"}, {"enableauto", "old"},
                           {"mod.bat", "old"},      {"cataloged", "old"},
                           {"data.dat", "old"},     {"filestobackup.bck", "old"}};

flows::SaveOutcome Save(Install& install, const BackupSelection& selection)
{
    return flows::SaveStore(selection, install.Directory(), install.prompt, platform::LocalFiles());
}

} // namespace

// The list is saved without the "System State" line a run leaves for the
// monitor. Names the batch cannot carry are valid text in the store and are
// kept (the run refuses them: see RunBackup), but no mod.bat is written for
// such a destination, and the user is told.
TEST(SaveStore, WritesTheSelectionAndRemovesWhatTheOptionsNoLongerNeed)
{
    // The interpreter reads mod.bat; data.dat keeps the path as typed.
    const std::string typed = "E:\\100%\\Caf\xE9";
    // The store before, the selection saved, the store after.
    const std::tuple<FileMap, BackupSelection, FileMap> cases[] = {
        // cataloged belongs to the companion programs while the option stays on.
        {{{"enableauto", "old"}, {"cataloged", "done"}},
         Selection({"C:\\Data", "D:\\x.doc"}, "", "0111000001"),
         {{"settings.dat", "0;1;1;1;0;0;0;0;0;1;"},
          {"enableauto", ""},
          {"cataloged", "done"},
          {"mod.bat", ModBatch("\"\"")},
          {"data.dat", ""},
          {"filestobackup.bck", "C:\\Data\r\nD:\\x.doc\r\n"}}},
        {kOldStore,
         Selection({}, "E:\\Backup", "1000000000"),
         {{"settings.dat", "1;0;0;0;0;0;0;0;0;0;"}, {"data.dat", "E:\\Backup"}}},
        {{},
         Selection({"C:\\Data"}, typed, "0010000010"),
         {{"settings.dat", "0;0;1;0;0;0;0;0;1;0;"},
          {"mod.bat", ModBatch("\"E:\\100%%\\Caf" + kBatchE + "\"")},
          {"data.dat", typed},
          {"filestobackup.bck", "C:\\Data\r\n"}}},
        {{{"mod.bat", "old"}, {"cataloged", ""}},
         Selection({"C:\\a", "C:\\b|c", "C:\\d*"}, "E:\\Nowhere<", "1010000000"),
         {{"settings.dat", "1;0;1;0;0;0;0;0;0;0;"},
          {"cataloged", ""},
          {"data.dat", "E:\\Nowhere<"},
          {"filestobackup.bck", "C:\\a\r\nC:\\b|c\r\nC:\\d*\r\n"}}},
    };
    for (const auto& [before, selection, after] : cases)
    {
        SCOPED_TRACE(after.at("settings.dat"));
        Install install;
        install.Write(before);
        EXPECT_EQ(flows::SaveOutcome::Saved, Save(install, selection));
        EXPECT_EQ(selection.destination == "E:\\Nowhere<"
                      ? std::vector{Error("Error Cannot Save Settings To " + install.Path() +
                                          " \nDetails:Some settings were not saved")}
                      : std::vector<Message>{},
                  install.prompt.shown);
        EXPECT_EQ(after, install.Files());
    }
}

// Every entry is checked before the first write, and the first that fails
// (in list order) is named.
TEST(SaveStore, RejectedEntryLeavesEveryStoreFileAsItWas)
{
    Install install;
    install.Write(kOldStore);
    EXPECT_EQ(flows::SaveOutcome::Rejected,
              Save(install, Selection({"C:\\a", "e:\\backup", "E:\\"}, "E:\\Backup", "0")));
    EXPECT_EQ(std::vector<Message>{Error(
                  "Error Duplicate Found. You Cannot Backup e:\\backup To E:\\Backup")},
              install.prompt.shown);
    EXPECT_EQ(kOldStore, install.Files());
}

// Each file fails in turn: a folder squats on the name its replacement is
// first written to, or on the name of a file to remove. The old file comes
// through whole, and every other file is saved.
TEST(SaveStore, FileThatCannotBeSavedCostsNoOtherAndIsReportedOnce)
{
    const std::tuple<const char*, const char*, std::vector<std::string>> cases[] = {
        {"settings.dat", "1110000010", {"C:\\a"}},
        {"enableauto", "0100000000", {"C:\\a"}},
        {"enableauto", "0000000000", {"C:\\a"}},
        {"mod.bat", "0010000000", {"C:\\a"}},
        {"mod.bat", "0000000000", {"C:\\a"}},
        {"cataloged", "0000000000", {"C:\\a"}},
        {"data.dat", "1000000000", {"C:\\a"}},
        {"filestobackup.bck", "1000000000", {"C:\\a", "D:\\b"}},
        {"filestobackup.bck", "1000000000", {}},
    };
    for (const auto& [failing, ticks, sources] : cases)
    {
        SCOPED_TRACE(std::string(failing) + " " + ticks);
        const auto selection = Selection(sources, "E:\\Backup", ticks);
        Install clean;
        Save(clean, selection);
        FileMap expected = clean.Files();
        std::string squatted = failing;
        Install failed;
        if (expected.count(failing))
        {
            squatted += ".tmp";
            failed.Write({{failing, "old\r\n"}});
            expected[failing] = "old\r\n";
        }
        std::filesystem::create_directory(failed.PathOf(squatted));
        expected[squatted] = "<folder>";

        EXPECT_EQ(flows::SaveOutcome::Saved, Save(failed, selection));
        EXPECT_EQ(std::vector<Message>{Error("Error Cannot Save Settings To " + failed.Path() +
                                             " \nDetails:Some settings were not saved")},
                  failed.prompt.shown);
        EXPECT_EQ(expected, failed.Files());
    }
}
