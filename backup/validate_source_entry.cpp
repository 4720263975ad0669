#include "backup/validate_source_entry.h"

#include "platform/text_case.h"

namespace
{

// The entry holds the destination when, ignoring case, it is the start of the
// destination and ends there at a folder boundary: C:\ and C:\Data hold
// C:\Data\Backup, C:\Data does not hold C:\Database.
bool HoldsDestination(const std::string& entry, const std::string& destination)
{
    if (entry.empty() || destination.compare(0, entry.size(), entry) != 0)
        return false;
    return entry.back() == '\\' ||
           (destination.size() > entry.size() && destination[entry.size()] == '\\');
}

} // namespace

std::optional<Message> ValidateSourceEntry(const std::string& entry, const std::string& destination)
{
    const std::string upperEntry = platform::UpperCaseAnsi(entry);
    const std::string upperDestination = platform::UpperCaseAnsi(destination);
    if (upperEntry == upperDestination)
        return Message{"Error Duplicate Found. You Cannot Backup " + entry + " To " + destination,
                       "ERROR", kStopType};
    if (HoldsDestination(upperEntry, upperDestination))
        return Message{"Error Cannot Backup To " + destination + " From " + entry +
                           " \nDetails:Reccursive(infinite) backup would occur",
                       "ERROR", kStopType};
    return std::nullopt;
}

std::optional<Message> FirstRejectedSource(const BackupSelection& selection)
{
    for (const std::string& source : selection.sources)
    {
        if (std::optional<Message> rejection = ValidateSourceEntry(source, selection.destination))
            return rejection;
    }
    return std::nullopt;
}
