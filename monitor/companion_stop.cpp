#include "monitor/companion_stop.h"

#include "model/install_directory.h"
#include "platform/text_case.h"

#include <sddl.h>
#include <string>
#include <tlhelp32.h>
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
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

bool IsCompanion(const char* exeName)
{
    const std::string name = platform::UpperCaseAnsi(exeName);
    return name == platform::UpperCaseAnsi(kLoadProgram) ||
           name == platform::UpperCaseAnsi(kVirtualDriveProgram);
}

// Every running companion but this process, started from the folder: another
// program's Load.exe is none of ours.
std::vector<HANDLE> OpenCompanions(const std::string& folder)
{
    std::vector<HANDLE> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    const std::string upperFolder = platform::UpperCaseAnsi(folder + "\\");
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    {
        if (entry.th32ProcessID == GetCurrentProcessId() || !IsCompanion(entry.szExeFile))
            continue;
        HANDLE process =
            OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                        entry.th32ProcessID);
        if (!process)
            continue;
        char path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (QueryFullProcessImageNameA(process, 0, path, &size) &&
            platform::UpperCaseAnsi(path).rfind(upperFolder, 0) == 0)
            found.push_back(process);
        else
            CloseHandle(process);
    }
    CloseHandle(snapshot);
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
    HANDLE stop = OpenEventA(EVENT_MODIFY_STATE, FALSE, kStopEvent);
    if (stop)
        SetEvent(stop);
    EnableDebugPrivilege();
    const std::vector<HANDLE> companions = OpenCompanions(installDirectory);
    const DWORD until = GetTickCount() + kGraceMillis;
    for (HANDLE process : companions)
    {
        const DWORD now = GetTickCount();
        const DWORD left = static_cast<LONG>(until - now) > 0 ? until - now : 0;
        if (WaitForSingleObject(process, left) == WAIT_TIMEOUT && TerminateProcess(process, 1))
            WaitForSingleObject(process, kGraceMillis);
        CloseHandle(process);
    }
    // New residents, started once the programs are in place, must stay.
    if (stop)
    {
        ResetEvent(stop);
        CloseHandle(stop);
    }
}
