#include "monitor/backup_process_handles.h"

#include "companions/backup_processes.h"
#include "platform/path_text.h"

#include <map>
#include <string>
#include <tlhelp32.h>
#include <vector>

namespace
{

std::int64_t CreationOf(HANDLE process)
{
    FILETIME created{}, ended{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &ended, &kernel, &user))
        return 0;
    return static_cast<std::int64_t>(std::uint64_t{created.dwHighDateTime} << 32 |
                                     created.dwLowDateTime);
}

// The interpreter the system runs batch files with: COMSPEC's, or cmd.exe.
std::string InterpreterName()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("COMSPEC", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return "cmd.exe";
    return std::string(platform::LastComponent(path));
}

std::vector<companions::ProcessEntry> Snapshot()
{
    std::vector<companions::ProcessEntry> entries;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        entries.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile, 0});
    CloseHandle(snapshot);
    return entries;
}

} // namespace

BackupProcessHandles OpenBackupProcesses()
{
    std::vector<companions::ProcessEntry> entries = Snapshot();
    const DWORD self = GetCurrentProcessId();
    DWORD parent = 0;
    for (const companions::ProcessEntry& entry : entries)
    {
        if (entry.id == self)
            parent = entry.parentId;
    }
    // Only the parent's other children can be the batch; each is held open
    // from the moment its start time is read, so that its id stays its own.
    std::map<DWORD, HANDLE> siblings;
    for (companions::ProcessEntry& entry : entries)
    {
        if (entry.id == self)
            entry.created = CreationOf(GetCurrentProcess());
        else if (entry.parentId == parent)
        {
            HANDLE process =
                OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.id);
            if (process == nullptr)
                continue;
            entry.created = CreationOf(process);
            siblings[entry.id] = process;
        }
    }

    const companions::BackupProcesses found =
        companions::FindBackupProcesses(entries, self, InterpreterName());
    BackupProcessHandles watched;
    for (const auto& [id, process] : siblings)
    {
        if (found.batch == id)
            watched.batch = process;
        else
            CloseHandle(process);
    }
    if (found.dialog)
        watched.dialog = OpenProcess(SYNCHRONIZE, FALSE, *found.dialog);
    return watched;
}
