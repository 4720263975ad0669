#include "companions/backup_processes.h"

#include "platform/text_case.h"

#include <algorithm>

namespace companions
{
namespace
{

bool SameName(const std::string& a, const std::string& b)
{
    return platform::UpperCasePath(a) == platform::UpperCasePath(b);
}

} // namespace

BackupProcesses FindBackupProcesses(const std::vector<platform::ProcessEntry>& snapshot,
                                    std::uint32_t self, const std::string& interpreter)
{
    const auto byId = [&snapshot](std::uint32_t id) {
        return std::find_if(snapshot.begin(), snapshot.end(),
                            [id](const platform::ProcessEntry& entry) { return entry.id == id; });
    };
    const auto own = byId(self);
    if (own == snapshot.end())
        return {};
    BackupProcesses found;
    const auto parent = byId(own->parentId);
    if (parent != snapshot.end())
    {
        if (!SameName(parent->exeName, kDialogProgram))
            return {};
        found.dialog = parent->id;
    }
    const platform::ProcessEntry* batch = nullptr;
    for (const platform::ProcessEntry& entry : snapshot)
    {
        if (entry.parentId == own->parentId && entry.id != self && entry.created <= own->created &&
            SameName(entry.exeName, interpreter) && (!batch || entry.created > batch->created))
            batch = &entry;
    }
    if (batch)
        found.batch = batch->id;
    return found;
}

} // namespace companions
