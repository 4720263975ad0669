#include "flows/load_store.h"
#include "flows/save_store.h"
#include "store/store_file.h"
#include "store/store_formats.h"
#include "tests/native/agent_support.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

namespace
{

// The store on the disk itself: its exact bytes, and what squats on its names.
platform::FileTree& disk = platform::LocalFiles();

flows::LoadedStore Load(const FileMap& files)
{
    Install install;
    install.Write(files);
    return flows::LoadStore(install.Directory(), disk).value();
}

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
    return flows::SaveStore(selection, install.Directory(), install.prompt, disk);
}

} // namespace

// A token's value is its last character before ";": only "1" ticks. Only a
// missing settings.dat is a first run, with its defaults. The lock disables
// the type boxes without unticking the saved ones.
TEST(LoadStore, SettingsReadingRules)
{
    const std::pair<const char*, std::string> cases[] = {
        {nullptr, "1110000010"},
        {"", "0000000000"},
        {"1;1;1;1;1;1;1;1;1;1;1;0;", "1111111111"},
        {"10;01;;", "0110000000"},
        {"1;\r\n1;\r\n;1", "1100000000"},
        {"1;0;0;1;0;0;0;1;0;0;", "1001000100"},
    };
    for (const auto& [text, ticks] : cases)
    {
        SCOPED_TRACE(text ? text : "missing");
        const flows::LoadedStore loaded = Load(text ? FileMap{{"settings.dat", text}} : FileMap{});
        EXPECT_EQ(Selection({}, "", ticks).flags, loaded.ticked);
        EXPECT_EQ(ticks[0] == '1', loaded.typeBoxesLocked);
    }
}

// A store file that is there but cannot be read (a folder of its name, or on
// Windows a file another program holds without sharing) is no first run: the
// load fails and creates nothing.
TEST(LoadStore, AnUnreadableFileFailsTheLoadAndCreatesNothing)
{
    for (const char* unreadable : {"settings.dat", "filestobackup.bck", "data.dat"})
    {
        SCOPED_TRACE(unreadable);
        Install install;
        std::filesystem::create_directory(install.PathOf(unreadable));
        EXPECT_FALSE(flows::LoadStore(install.Directory(), disk));
        EXPECT_EQ((FileMap{{unreadable, "<folder>"}}), install.Files());
#ifdef _WIN32
        Install locked;
        locked.Write(unreadable, "1;");
        const HANDLE held = CreateFileA(locked.PathOf(unreadable).c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        EXPECT_FALSE(flows::LoadStore(locked.Directory(), disk));
        CloseHandle(held);
        EXPECT_EQ((FileMap{{unreadable, "1;"}}), locked.Files());
#endif
    }
}

// One entry per line end, empty lines and "System State" included; text after
// the last line end is no entry. The destination is the first line, however
// long. Only a carriage return right before a line feed belongs to the line end.
TEST(LoadStore, SourceAndDestinationReadingRules)
{
    const std::string longPath = "E:\\" + std::string(300, 'x');
    const std::tuple<std::string, std::vector<std::string>, std::string, std::string> cases[] = {
        {"C:\\Data", {}, longPath + "\r\nF:\\Other", longPath},
        {"C:\\a\n\r\nSystem State\r\nD:\\cut off", {"C:\\a", "", "System State"}, "\r\nE:\\", ""},
        {"a\rb\r\r\n\r", {"a\rb\r"}, "E:\\a\r", "E:\\a\r"},
    };
    for (const auto& [list, sources, data, destination] : cases)
    {
        SCOPED_TRACE('"' + list + '"');
        const flows::LoadedStore loaded = Load({{"filestobackup.bck", list}, {"data.dat", data}});
        EXPECT_EQ(sources, std::vector<std::string>(loaded.sources.begin(), loaded.sources.end()));
        // The list box takes each entry as a C string.
        for (const std::string_view source : loaded.sources)
            EXPECT_EQ('\0', source.data()[source.size()]);
        EXPECT_EQ(destination, loaded.destination);
    }
}

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

// Long texts go to the disk in pieces: no line end may be split, lost or
// doubled where one piece ends, and a line longer than a piece stays whole.
// Written from its lines, a list gives the same bytes.
TEST(StoreFile, LongTextKeepsEveryByteAndLineEnd)
{
    std::string text = "\n" + std::string(65533, 'y') + "\n\n\r" + std::string(70000, 'z') + "\r\n";
    for (int i = 0; text.size() < 400000; ++i)
        text += std::string(static_cast<size_t>(i % 97), 'a' + static_cast<char>(i % 26)) + "\n";
    std::string expected;
    for (const char c : text)
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Install install;
    ASSERT_TRUE(store::ReplaceWithText(install.PathOf("filestobackup.bck"), text, disk));
    EXPECT_TRUE(install.Read("filestobackup.bck") == expected);
    EXPECT_TRUE(store::Read(install.PathOf("filestobackup.bck"), disk).text == text);

    const std::vector<std::string> lines = store::ParseSourceList(text);
    ASSERT_TRUE(disk.Replace(install.PathOf("lines"), store::DiskLines(lines)));
    EXPECT_TRUE(install.Read("lines") == expected);
}

// A list that grows while it is read is read to its end, each line whole and
// followed by a NUL wherever the buffer moved to.
TEST(StoreFile, AListThatGrowsWhileReadKeepsEveryLine)
{
    struct Growing : FakeFiles
    {
        platform::OpenedFile OpenToRead(const std::string& path) override
        {
            return {platform::ReadResult::Read, std::make_unique<BytesReader>(bytes[path], 10)};
        }
    } files;
    std::vector<std::string> lines;
    for (int i = 0; i < 30000; ++i)
        lines.push_back("C:\\Folder " + std::to_string(i));
    files.bytes["list"] = store::FormatSourceList(lines);
    const store::FileLines read = store::ReadLines("list", files);
    EXPECT_EQ(lines, std::vector<std::string>(read.lines.begin(), read.lines.end()));
    for (const std::string_view line : read.lines)
        ASSERT_EQ('\0', line.data()[line.size()]);
}

// A file that holds the text already, line ends and all, is not written again;
// one that differs in any byte is.
TEST(StoreFile, OnlyADifferentFileIsReplaced)
{
    Install install;
    const std::string path = install.PathOf("settings.dat");
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(30);
    for (const char* held : {"1;0;\n", "1;0;\r\nmore", "1;0;"})
    {
        install.Write("settings.dat", held);
        std::filesystem::last_write_time(path, old);
        ASSERT_TRUE(store::ReplaceWithTextIfDifferent(path, "1;0;\n", disk));
        EXPECT_EQ("1;0;\r\n", install.Read("settings.dat"));
        EXPECT_NE(old, std::filesystem::last_write_time(path));
    }
    // As the file system keeps it, to its own precision.
    std::filesystem::last_write_time(path, old);
    const auto kept = std::filesystem::last_write_time(path);
    ASSERT_TRUE(store::ReplaceWithTextIfDifferent(path, "1;0;\n", disk));
    EXPECT_EQ(kept, std::filesystem::last_write_time(path));
}
