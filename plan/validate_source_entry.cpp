#include "plan/validate_source_entry.h"

#include "platform/path_text.h"
#include "platform/text_case.h"

#include <utility>

namespace
{

// Checks entries against one destination, upper-cased once, folding each
// entry into the same buffer: a walk over many sources allocates nothing per
// entry.
class EntryCheck
{
  public:
    explicit EntryCheck(const std::string& destination)
        : m_destination(destination), m_upperDestination(platform::UpperCaseAnsi(destination))
    {
    }

    std::optional<Message> operator()(const std::string& entry)
    {
        // Folding keeps the length, and a longer entry can neither be the
        // destination nor hold it.
        if (entry.size() > m_destination.size())
            return std::nullopt;
        m_upperEntry.assign(entry);
        m_upperEntry = platform::UpperCaseAnsi(std::move(m_upperEntry));
        if (m_upperEntry == m_upperDestination)
            return Message{"Error Duplicate Found. You Cannot Backup " + entry + " To " +
                               m_destination,
                           "ERROR", kStopType};
        // The entry would hold every copy made from it.
        if (platform::IsBelowFolder(m_upperDestination, m_upperEntry))
            return Message{"Error Cannot Backup To " + m_destination + " From " + entry +
                               " \nDetails:Reccursive(infinite) backup would occur",
                           "ERROR", kStopType};
        return std::nullopt;
    }

  private:
    const std::string& m_destination;
    const std::string m_upperDestination;
    std::string m_upperEntry;
};

} // namespace

std::optional<Message> ValidateSourceEntry(const std::string& entry, const std::string& destination)
{
    return EntryCheck(destination)(entry);
}

std::optional<Message> FirstRejectedSource(const BackupSelection& selection)
{
    EntryCheck check(selection.destination);
    for (const std::string& source : selection.sources)
    {
        if (std::optional<Message> rejection = check(source))
            return rejection;
    }
    return std::nullopt;
}
