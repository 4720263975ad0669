// The agent's Windows side in-process: its watches and their device
// notifications, and the watchdog of its looks.
#include "load/agent_watches.h"
#include "load/look_watchdog.h"
#include "tests/native/support/install.h"
#include "tests/win/wait_and_text.h"

#include <dbt.h>
#include <gtest/gtest.h>

// A folder made in a watched folder is reported as a name that appeared;
// Windows asking whether the volume may go closes the watch's handle at
// once, and a removal that failed is passed on to be opened again.
TEST(AgentWatches, ReportFoldersAndLetTheirVolumeGo)
{
    Install folder;
    std::vector<FolderChange> seen;
    AgentWatches watches(
        nullptr, [&seen](const std::string&, std::vector<FolderChange> changes, bool, bool) {
            seen.insert(seen.end(), changes.begin(), changes.end());
        });
    platform::Handle opened = OpenFolderToWatch(folder.Path());
    const HANDLE handle = opened.Get();
    ASSERT_TRUE(watches.Start({folder.Path(), false, {}}, std::move(opened)));
    CreateDirectoryA(folder.PathOf("Moved In").c_str(), nullptr);
    EXPECT_TRUE(WaitFor([&seen] {
        SleepEx(0, TRUE);
        return !seen.empty();
    }));
    EXPECT_EQ("Moved In", seen.at(0).name);
    EXPECT_TRUE(seen.at(0).appeared);

    DEV_BROADCAST_HANDLE about{};
    about.dbch_size = sizeof about;
    about.dbch_devicetype = DBT_DEVTYP_HANDLE;
    about.dbch_handle = handle;
    const auto send = [&](WPARAM event) {
        return watches.OnDeviceChange(event, reinterpret_cast<LPARAM>(&about));
    };
    const AgentWatches::DeviceNews asked = send(DBT_DEVICEQUERYREMOVE);
    EXPECT_EQ(AgentWatches::DeviceNews::Kind::QueryRemove, asked.kind);
    EXPECT_EQ(folder.Path(), asked.folder);
    DWORD flags = 0;
    EXPECT_FALSE(GetHandleInformation(handle, &flags));
    EXPECT_EQ(AgentWatches::DeviceNews::Kind::RemoveFailed, send(DBT_DEVICEQUERYREMOVEFAILED).kind);
    EXPECT_EQ(AgentWatches::DeviceNews::Kind::None, send(DBT_DEVICEREMOVECOMPLETE).kind);
    SleepEx(0, TRUE);
}

// A look that does not answer in time (here a read of a pipe nobody writes)
// is cut short, and says so.
TEST(LookWatchdog, CutsAStuckLookShort)
{
    HANDLE read = nullptr, write = nullptr;
    ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
    LookWatchdog watchdog;
    char byte = 0;
    DWORD got = 0;
    EXPECT_FALSE(watchdog.Within(std::chrono::milliseconds(200),
                                 [&] { ReadFile(read, &byte, 1, &got, nullptr); }));
    EXPECT_TRUE(watchdog.Within(std::chrono::milliseconds(200), [] {}));
    CloseHandle(read);
    CloseHandle(write);
}
