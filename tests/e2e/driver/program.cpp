#include "tests/e2e/driver/program.h"

#include "store/install_directory.h"
#include "tests/e2e/companion/start_record.h"
#include "tests/e2e/driver/controls.h"
#include "tests/e2e/driver/text.h"
#include "tests/e2e/driver/wait.h"

#include <string>

namespace e2e
{

namespace
{

constexpr DWORD kWindowTimeoutMs = 30000;

struct WindowSearch
{
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    wchar_t caption[64] = {};
    GetClassNameW(window, className, 64);
    GetWindowTextW(window, caption, 64);
    if (owner == search->processId && IsWindowVisible(window) &&
        std::wstring(className) == L"#32770" && std::wstring(caption) == L"Corvane Backup")
    {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

Program::Program()
{
    const std::wstring recorder = std::wstring(kHarnessFolder) + L"\\cmd-recorder.exe";
    SetEnvironmentVariableW(L"COMSPEC", recorder.c_str());
    std::wstring path = Wide(std::string(kInstallDirectory) + "\\CorvaneBackup.exe");
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                   Wide(kInstallDirectory).c_str(), &startup, &m_process);
}

Program::~Program()
{
    if (!m_process.hProcess)
        return;
    // A case that failed half-way must not leave the window behind for the next.
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(m_process.hProcess, 1);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

HWND Program::Window(Checker& checker)
{
    checker.Require(m_process.hProcess != nullptr, "the installed program starts");
    if (m_window && IsWindow(m_window))
        return m_window;
    WindowSearch search{m_process.dwProcessId, nullptr};
    WaitFor(
        [&] {
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr ||
                   WaitForSingleObject(m_process.hProcess, 0) == WAIT_OBJECT_0;
        },
        kWindowTimeoutMs);
    checker.Require(search.found != nullptr, "the main window \"Corvane Backup\" appears");
    m_window = search.found;
    return m_window;
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs)
{
    if (!m_process.hProcess || WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD status = 0;
    GetExitCodeProcess(m_process.hProcess, &status);
    return status;
}

void Program::ExpectEndsWithSuccess(Checker& checker, const std::string& after)
{
    const std::optional<DWORD> status = WaitForExit(20000);
    checker.Require(status.has_value(), "the program ends after " + after);
    checker.ExpectEqual(static_cast<long long>(*status), 0, "exit status after " + after);
}

void Program::EndWithEscape(Checker& checker)
{
    PressEscape(Window(checker));
    checker.Require(WaitForExit(20000).has_value(), "Esc ends the program");
}

} // namespace e2e
