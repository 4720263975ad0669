#include "plan/validate_source_entry.h"

#include "model/backup_folders.h"
#include "platform/path_text.h"
#include "platform/text_case.h"

#include <algorithm>
#include <string_view>

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

// How an entry stands to a folder, both in the file system's letter case.
HeldFolder::Hold HoldByText(std::string_view upperEntry, std::string_view upperFolder)
{
    if (upperEntry == upperFolder)
        return HeldFolder::Hold::Is;
    // The entry would hold every copy made from it.
    return platform::IsBelowFolder(upperFolder, upperEntry) ? HeldFolder::Hold::Holds
                                                            : HeldFolder::Hold::No;
}

std::optional<Message> RejectionFor(HeldFolder::Hold hold, const std::string& entry,
                                    const std::string& destination)
{
    switch (hold)
    {
    case HeldFolder::Hold::Is:
        return DuplicateMessage(entry, destination);
    case HeldFolder::Hold::Holds:
        return RecursionMessage(entry, destination);
    case HeldFolder::Hold::No:
        break;
    }
    return std::nullopt;
}

bool IsAscii(char c)
{
    return static_cast<unsigned char>(c) < 0x80;
}

} // namespace

std::optional<Message> ValidateSourceEntry(const std::string& entry, const std::string& destination)
{
    return RejectionFor(
        HoldByText(platform::UpperCasePath(entry), platform::UpperCasePath(destination)), entry,
        destination);
}

HeldFolder::HeldFolder(const std::string& folder, platform::FileTree& files)
    : m_files(files), m_upperFolder(files.FoldCase(folder)), m_own(files.Identity(folder))
{
    // Only a folder that is there has identities to compare.
    if (!m_own)
        return;
    for (std::string above = platform::ParentFolder(folder); !above.empty();
         above = platform::ParentFolder(above))
    {
        if (const std::optional<platform::FileIdentity> identity = m_files.Identity(above))
            m_above.push_back(*identity);
    }
}

HeldFolder::Hold HeldFolder::ByText(std::string_view upperEntry) const
{
    return HoldByText(upperEntry, m_upperFolder);
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
    // The destination's text and those of the folders below it begin alike,
    // and an entry that a text rule refuses begins as they do.
    const std::string& upperDestination = m_held.UpperPath();
    if (upperDestination.empty() || !IsAscii(upperDestination[0]))
        return;
    m_destinationStart.emplace();
    for (size_t c = 0; c < m_destinationStart->size(); ++c)
        m_destinationStart->set(c, files.FoldCase(std::string(1, static_cast<char>(c)))[0] ==
                                       upperDestination[0]);
}

std::optional<Message> SourceEntryChecks::Check(const std::string& entry) const
{
    // One look at the entry's identity, and only where there is a folder to
    // compare it with: a list of many thousand entries asks the disk once each.
    return Check(entry, m_held.Exists() ? m_files.Identity(entry) : std::nullopt);
}

std::optional<Message> SourceEntryChecks::Check(
    const std::string& entry, const std::optional<platform::FileIdentity>& identity) const
{
    if (std::optional<Message> rejection = CheckText(entry, m_files.FoldCase(entry)))
        return rejection;
    return CheckIdentity(entry, identity);
}

bool SourceEntryChecks::MayHoldByText(const std::string& entry) const
{
    return entry.empty() || !IsAscii(entry[0]) || !m_destinationStart ||
           m_destinationStart->test(static_cast<size_t>(entry[0]));
}

std::optional<Message> SourceEntryChecks::CheckText(const std::string& entry,
                                                    std::string_view upperEntry) const
{
    if (std::optional<Message> rejection =
            RejectionFor(m_held.ByText(upperEntry), entry, m_destination))
        return rejection;
    // A source inside the reports or versions folder would copy the backup's
    // own files into the backup.
    for (const HeldFolder& own : m_ownFolders)
    {
        if (platform::IsAtOrBelowFolder(upperEntry, own.UpperPath()))
            return RecursionMessage(entry, m_destination);
    }
    return std::nullopt;
}

std::optional<Message> SourceEntryChecks::CheckIdentity(
    const std::string& entry, const std::optional<platform::FileIdentity>& identity) const
{
    if (std::optional<Message> rejection =
            RejectionFor(m_held.ByIdentity(identity), entry, m_destination))
        return rejection;
    for (const HeldFolder& own : m_ownFolders)
    {
        if (own.ByIdentity(identity) == HeldFolder::Hold::Is)
            return RecursionMessage(entry, m_destination);
    }
    return std::nullopt;
}

std::optional<Message> FirstRejectedSource(const BackupSelection& selection,
                                           const std::vector<platform::PathTarget>& targets,
                                           platform::FileTree& files)
{
    const SourceEntryChecks checks(selection.destination, files);
    // One buffer folds the letter case of every entry that needs it: a list
    // of many thousand entries allocates no text for each.
    std::string upperEntry;
    for (size_t i = 0; i < selection.sources.size(); ++i)
    {
        const std::string& source = selection.sources[i];
        std::optional<Message> rejection;
        if (checks.MayHoldByText(source))
        {
            upperEntry = files.FoldCase(std::move(upperEntry.assign(source)));
            rejection = checks.CheckText(source, upperEntry);
        }
        if (!rejection && targets[i].identity)
            rejection = checks.CheckIdentity(source, targets[i].identity);
        if (rejection)
            return rejection;
    }
    return std::nullopt;
}
