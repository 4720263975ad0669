#include "plan/validate_source_entry.h"

#include "model/backup_folders.h"
#include "platform/path_text.h"
#include "platform/text_case.h"

#include <algorithm>
#include <utility>

namespace
{

Message DuplicateMessage(const std::string& entry, const std::string& destination)
{
    return Message{"Error Duplicate Found. You Cannot Backup " + entry + " To " + destination,
                   "ERROR", kStopType};
}

Message RecursionMessage(const std::string& entry, const std::string& destination)
{
    return Message{"Error Cannot Backup To " + destination + " From " + entry +
                       " \nDetails:Reccursive(infinite) backup would occur",
                   "ERROR", kStopType};
}

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
            return DuplicateMessage(entry, m_destination);
        // The entry would hold every copy made from it.
        if (platform::IsBelowFolder(m_upperDestination, m_upperEntry))
            return RecursionMessage(entry, m_destination);
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

HeldFolder::HeldFolder(const std::string& folder, platform::FileTree& files)
    : m_files(files), m_upperFolder(files.FoldCase(folder)), m_own(files.Identity(folder))
{
    // Only a folder that is there has identities to compare.
    if (!m_own)
        return;
    for (std::string above = folder;;)
    {
        const size_t separator = platform::FindLastSeparator(above);
        if (separator == std::string::npos || separator == 0)
            break;
        // "C:\\" is the folder above "C:\\Data"; "C:" alone is no folder.
        above.resize(separator + (above[separator - 1] == ':' ? 1 : 0));
        if (const std::optional<platform::FileIdentity> identity = m_files.Identity(above))
            m_above.push_back(*identity);
        if (platform::EndsWithSeparator(above))
            break;
    }
}

HeldFolder::Hold HeldFolder::ByText(const std::string& upperEntry) const
{
    if (upperEntry == m_upperFolder)
        return Hold::Is;
    return platform::IsBelowFolder(m_upperFolder, upperEntry) ? Hold::Holds : Hold::No;
}

HeldFolder::Hold HeldFolder::ByIdentity(const std::optional<platform::FileIdentity>& entry) const
{
    if (!m_own || !entry)
        return Hold::No;
    if (*entry == *m_own)
        return Hold::Is;
    return std::find(m_above.begin(), m_above.end(), *entry) != m_above.end() ? Hold::Holds
                                                                              : Hold::No;
}

HeldFolder::Hold HeldFolder::By(const std::string& entry) const
{
    const Hold byText = ByText(m_files.FoldCase(entry));
    return byText != Hold::No || !m_own ? byText : ByIdentity(m_files.Identity(entry));
}

SourceEntryChecks::SourceEntryChecks(const std::string& destination, platform::FileTree& files)
    : m_files(files), m_destination(destination), m_held(destination, files)
{
    for (const char* own : {kReportsFolder, kVersionsFolder})
        m_ownFolders.emplace_back(platform::JoinPath(destination, own), files);
}

std::optional<Message> SourceEntryChecks::Check(const std::string& entry) const
{
    if (std::optional<Message> rejection = ValidateSourceEntry(entry, m_destination))
        return rejection;
    // A source inside the reports or versions folder would copy the backup's
    // own files into the backup.
    const std::string upperEntry = m_files.FoldCase(entry);
    for (const HeldFolder& own : m_ownFolders)
    {
        if (own.ByText(upperEntry) == HeldFolder::Hold::Is ||
            platform::IsBelowFolder(upperEntry, own.UpperPath()))
            return RecursionMessage(entry, m_destination);
    }
    // One look at the entry's identity, and only where there is a folder to
    // compare it with: a list of many thousand entries asks the disk once each.
    std::optional<platform::FileIdentity> identity;
    if (m_held.Exists())
        identity = m_files.Identity(entry);
    switch (m_held.ByIdentity(identity))
    {
    case HeldFolder::Hold::Is:
        return DuplicateMessage(entry, m_destination);
    case HeldFolder::Hold::Holds:
        return RecursionMessage(entry, m_destination);
    case HeldFolder::Hold::No:
        break;
    }
    for (const HeldFolder& own : m_ownFolders)
    {
        if (own.ByIdentity(identity) == HeldFolder::Hold::Is)
            return RecursionMessage(entry, m_destination);
    }
    return std::nullopt;
}

std::optional<Message> FirstRejectedSource(const BackupSelection& selection,
                                           platform::FileTree& files)
{
    const SourceEntryChecks checks(selection.destination, files);
    for (const std::string& source : selection.sources)
    {
        if (std::optional<Message> rejection = checks.Check(source))
            return rejection;
    }
    return std::nullopt;
}
