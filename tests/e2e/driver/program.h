#pragma once

#include "tests/e2e/driver/checker.h"

#include <optional>
#include <string>
#include <windows.h>

namespace e2e
{

// One run of the installed program, started the way the Start menu starts it,
// with the batch recorder standing in for the command interpreter.
class Program
{
  public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The main dialog, once it is visible; ends the case when it never shows.
    HWND Window(Checker& checker);
    // The exit status, or nothing while the process still runs after `timeoutMs`.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    // Checks that the program ends by itself with status 0.
    void ExpectEndsWithSuccess(Checker& checker, const std::string& after);
    // Presses Esc in the main window and waits for the program to end.
    void EndWithEscape(Checker& checker);
    DWORD ProcessId() const { return m_process.dwProcessId; }

  private:
    PROCESS_INFORMATION m_process{};
    HWND m_window = nullptr;
};

} // namespace e2e
