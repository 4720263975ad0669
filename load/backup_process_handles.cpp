#include "load/backup_process_handles.h"

#include "companions/backup_processes.h"
#include "platform/path_text.h"
#include "platform/win32/process_snapshot.h"
#include "platform/win32/wide_text.h"

#include <map>
#include <string>
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
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"COMSPEC", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return "cmd.exe";
    return std::string(platform::LastComponent(platform::PathFromWide({path, length})));
}

} // namespace

BackupProcessHandles OpenBackupProcesses()
{
    std::vector<platform::ProcessEntry> entries = platform::TakeProcessSnapshot();
    const DWORD self = GetCurrentProcessId();
    DWORD parent = 0;
    for (const platform::ProcessEntry& entry : entries)
    {
        if (entry.id == self)
            parent = entry.parentId;
    }
    // Only the parent's other children can be the batch; each is held open
    // from the moment its start time is read, so that its id stays its own.
    std::map<DWORD, platform::Handle> siblings;
    for (platform::ProcessEntry& entry : entries)
    {
        if (entry.id == self)
            entry.created = CreationOf(GetCurrentProcess());
        else if (entry.parentId == parent)
        {
            platform::Handle process(
                OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.id));
            if (!process.IsOpen())
                continue;
            entry.created = CreationOf(process.Get());
            siblings[entry.id] = std::move(process);
        }
    }

    const companions::BackupProcesses found =
        companions::FindBackupProcesses(entries, self, InterpreterName());
    BackupProcessHandles watched;
    if (found.batch)
        watched.batch = std::move(siblings[*found.batch]);
    if (found.dialog)
        watched.dialog = platform::Handle(OpenProcess(SYNCHRONIZE, FALSE, *found.dialog));
    return watched;
}
