#include "flows/load_store.h"
#include "tests/native/support/install.h"
#include "tests/native/support/selection.h"

#include <gtest/gtest.h>
#include <tuple>
#ifdef _WIN32
#include <windows.h>
#endif

namespace
{

flows::LoadedStore Load(const FileMap& files)
{
    Install install;
    install.Write(files);
    return flows::LoadStore(install.Directory(), platform::LocalFiles()).value();
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
        EXPECT_FALSE(flows::LoadStore(install.Directory(), platform::LocalFiles()));
        EXPECT_EQ((FileMap{{unreadable, "<folder>"}}), install.Files());
#ifdef _WIN32
        Install locked;
        locked.Write(unreadable, "1;");
        const HANDLE held = CreateFileA(locked.PathOf(unreadable).c_str(), GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        EXPECT_FALSE(flows::LoadStore(locked.Directory(), platform::LocalFiles()));
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
