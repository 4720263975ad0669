#include "platform/yielding_read.h"
#include "tests/native/support/fake_files.h"

#include <future>
#include <gtest/gtest.h>
#include <thread>

// The lock breaks while the copy writes what it read to a slow disk: the
// file is let go at once, not after that write, and nothing more is read.
TEST(YieldingRead, LetsTheFileGoAtOnceNeverAfterAWrite)
{
    platform::YieldingRead reading;
    BytesReader file(std::string(3 * 4096, 'x'), 3 * 4096);
    std::promise<void> firstRead, letGo;
    std::string copied;
    bool writeSawTheFileLetGo = false;
    std::thread copy([&] {
        char chunk[4096];
        std::optional<size_t> taken;
        while (reading.Read([&] { return (taken = file.Take(chunk, sizeof chunk)) && *taken > 0; }))
        {
            copied.append(chunk, *taken);
            // The write ends once the file was let go (the wait is a guard).
            firstRead.set_value();
            writeSawTheFileLetGo =
                letGo.get_future().wait_for(std::chrono::seconds(30)) == std::future_status::ready;
        }
    });
    firstRead.get_future().wait();
    bool closed = false;
    reading.GiveWay([&closed] { closed = true; });
    letGo.set_value();
    copy.join();
    EXPECT_TRUE(closed && writeSawTheFileLetGo && reading.GaveWay());
    EXPECT_EQ(4096u, copied.size());
}
