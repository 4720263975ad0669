#include "platform/win32/process_snapshot.h"

#include "platform/win32/handle.h"
#include "platform/win32/wide_text.h"

#include <windows.h>
// After windows.h: the snapshot's types need it.
#include <tlhelp32.h>

namespace platform
{

std::vector<ProcessEntry> TakeProcessSnapshot()
{
    std::vector<ProcessEntry> entries;
    const Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsOpen())
        return entries;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry))
        entries.push_back(
            {entry.th32ProcessID, entry.th32ParentProcessID, PathFromWide(entry.szExeFile), 0});
    return entries;
}

} // namespace platform
