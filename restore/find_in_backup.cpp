#include "restore/find_in_backup.h"

#include "platform/text_case.h"

namespace restore
{

std::vector<FoundFile> FindInBackup(const BackupContents& contents, const std::string& filter,
                                    std::size_t limit, const std::atomic<bool>& stop)
{
    const std::string folded = platform::UpperCasePath(filter);
    std::vector<FoundFile> found;
    const auto take = [&](std::size_t holding, const BackupItem& item) {
        if (platform::UpperCasePath(item.name).find(folded) != std::string::npos)
            found.push_back({holding, item});
        return !stop && found.size() < limit;
    };
    const std::vector<Holding>& holdings = contents.Holdings();
    for (std::size_t i = 0; i < holdings.size() && found.size() < limit && !stop; ++i)
        contents.Walk(holdings[i], holdings[i].copyPath,
                      [&](const BackupItem& item) { return take(i, item); });
    return found;
}

} // namespace restore
