#include "load/companion_stop.h"

#include "model/install_directory.h"
#include "platform/text_case.h"
#include "platform/win32/handle.h"
#include "platform/win32/process_snapshot.h"
#include "platform/win32/wide_text.h"

#include <sddl.h>
#include <string>
#include <vector>

namespace
{

// Global: the residents of other users' sessions must see it too.
constexpr const char* kStopEvent = "Global\\CorvaneBackup.StopCompanions";
// Long enough for a resident to notice; a session-end backup is not waited for.
constexpr DWORD kGraceMillis = 5000;

// Opening other users' processes takes the debug privilege, which an
// administrator holds but has switched off.
void EnableDebugPrivilege()
{
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened))
        return;
    const platform::Handle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
}

bool IsCompanion(const std::string& exeName)
{
    const std::string name = platform::UpperCasePath(exeName);
    return name == platform::UpperCasePath(kLoadProgram) ||
           name == platform::UpperCasePath(kVirtualDriveProgram);
}

// Every running companion but this process, started from the folder: another
// program's Load.exe is none of ours.
std::vector<platform::Handle> OpenCompanions(const std::string& folder)
{
    std::vector<platform::Handle> found;
    const std::string upperFolder = platform::UpperCasePath(folder + "\\");
    for (const platform::ProcessEntry& entry : platform::TakeProcessSnapshot())
    {
        if (entry.id == GetCurrentProcessId() || !IsCompanion(entry.exeName))
            continue;
        platform::Handle process(OpenProcess(
            SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.id));
        wchar_t path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (process.IsOpen() && QueryFullProcessImageNameW(process.Get(), 0, path, &size) &&
            platform::UpperCasePath(platform::PathFromWide({path, size})).rfind(upperFolder, 0) ==
                0)
            found.push_back(std::move(process));
    }
    return found;
}

} // namespace

HANDLE OpenStopEvent()
{
    // Everyone may wait on it; only administrators and the system may set it.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA(
        "D:(A;;0x00100000;;;WD)(A;;GA;;;BA)(A;;GA;;;SY)", SDDL_REVISION_1, &descriptor, nullptr);
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    HANDLE event = CreateEventExA(descriptor ? &attributes : nullptr, kStopEvent,
                                  CREATE_EVENT_MANUAL_RESET, SYNCHRONIZE);
    LocalFree(descriptor);
    return event;
}

void StopCompanions(const char* installDirectory)
{
    const platform::Handle stop(OpenEventA(EVENT_MODIFY_STATE, FALSE, kStopEvent));
    if (stop.IsOpen())
        SetEvent(stop.Get());
    EnableDebugPrivilege();
    const DWORD until = GetTickCount() + kGraceMillis;
    for (const platform::Handle& process : OpenCompanions(installDirectory))
    {
        const DWORD now = GetTickCount();
        const DWORD left = static_cast<LONG>(until - now) > 0 ? until - now : 0;
        if (WaitForSingleObject(process.Get(), left) == WAIT_TIMEOUT &&
            TerminateProcess(process.Get(), 1))
            WaitForSingleObject(process.Get(), kGraceMillis);
    }
    // New residents, started once the programs are in place, must stay.
    if (stop.IsOpen())
        ResetEvent(stop.Get());
}
