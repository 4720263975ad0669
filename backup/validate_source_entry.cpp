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

// The checks with the destination already upper-cased, so that a walk over
// many sources does it once.
std::optional<Message> Validate(const std::string& entry, const std::string& destination,
                                const std::string& upperDestination)
{
    const std::string upperEntry = platform::UpperCaseAnsi(entry);
    if (upperEntry == upperDestination)
        return Message{"Error Duplicate Found. You Cannot Backup " + entry + " To " + destination,
                       "ERROR", kStopType};
    if (HoldsDestination(upperEntry, upperDestination))
        return Message{"Error Cannot Backup To " + destination + " From " + entry +
                           " \nDetails:Reccursive(infinite) backup would occur",
                       "ERROR", kStopType};
    return std::nullopt;
}

} // namespace

std::optional<Message> ValidateSourceEntry(const std::string& entry, const std::string& destination)
{
    return Validate(entry, destination, platform::UpperCaseAnsi(destination));
}

std::optional<Message> FirstRejectedSource(const BackupSelection& selection)
{
    const std::string upperDestination = platform::UpperCaseAnsi(selection.destination);
    for (const std::string& source : selection.sources)
    {
        if (std::optional<Message> rejection =
                Validate(source, selection.destination, upperDestination))
            return rejection;
    }
    return std::nullopt;
}
