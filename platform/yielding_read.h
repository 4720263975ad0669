#pragma once

#include <atomic>
#include <functional>
#include <mutex>

namespace platform
{

// A read of a file that another thread may end at any moment: a lock on the
// file broke because another program wants to write, rename or delete it,
// and that program waits until the file is let go.
class YieldingRead
{
  public:
    // Runs `read` (a read of the file, or a look at it) unless the read has
    // gave way; false, without running it, once it has.
    bool Read(const std::function<bool()>& read);

    // From the thread that saw the lock break: waits for a read under way,
    // never for what the reader does with the bytes between reads (a write to
    // a slow disk), then runs `close`, which lets the file go. Every later
    // read fails.
    void GiveWay(const std::function<void()>& close);

    bool GaveWay() const { return m_gaveWay; }

  private:
    std::mutex m_reading;
    std::atomic<bool> m_gaveWay{false};
};

} // namespace platform
