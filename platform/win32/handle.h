#pragma once

#include <utility>
#include <windows.h>

namespace platform
{

// Owns one kernel handle and closes it once. The calls that open handles
// fail with null or with INVALID_HANDLE_VALUE: both are kept as none.
class Handle
{
  public:
    Handle() = default;
    explicit Handle(HANDLE handle) : m_handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    Handle(Handle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    Handle& operator=(Handle&& other) noexcept
    {
        if (this != &other)
        {
            Close();
            m_handle = std::exchange(other.m_handle, nullptr);
        }
        return *this;
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { Close(); }

    HANDLE Get() const { return m_handle; }
    bool IsOpen() const { return m_handle != nullptr; }
    // False when there was none, or closing failed (a write not yet on the
    // disk may be lost then).
    bool Close() { return m_handle && CloseHandle(std::exchange(m_handle, nullptr)) != FALSE; }

  private:
    HANDLE m_handle = nullptr;
};

} // namespace platform
