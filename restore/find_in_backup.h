#pragma once

#include "restore/backup_contents.h"

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

// The restore window's filter: the files of a backup whose names hold a text.
namespace restore
{

// A file a filter found: the holding it belongs to and the file.
struct FoundFile
{
    std::size_t holding = 0;
    BackupItem item;
};

// The files whose names hold `filter` in any letter case, holding by
// holding, each depth first; at most `limit` of them. Once `stop` is set the
// walk ends early with what it has.
std::vector<FoundFile> FindInBackup(const BackupContents& contents, const std::string& filter,
                                    std::size_t limit, const std::atomic<bool>& stop);

} // namespace restore
