#pragma once

#include "model/backup_selection.h"
#include "model/prompt.h"
#include "platform/file_tree.h"

#include <bitset>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Checks one source entry against the destination by its text, before
// anything is written: a source may be neither the destination itself nor a
// folder that holds it (each copy would land inside what is being copied).
// Returns the message to show for a rejected entry, std::nullopt for an
// accepted one.
std::optional<Message> ValidateSourceEntry(const std::string& entry,
                                           const std::string& destination);

// A folder, and whether an entry is it or holds it under any name: a mapped
// drive and its share, a subst letter or a junction reach the same folder,
// which the file port's identities tell.
class HeldFolder
{
  public:
    HeldFolder(const std::string& folder, platform::FileTree& files);

    enum class Hold
    {
        No,
        Is,
        Holds,
    };
    Hold By(const std::string& entry) const;
    // The same by the entry's text, in the file system's letter case, and by
    // its identity: a caller that checks many folders looks it up once.
    Hold ByText(std::string_view upperEntry) const;
    Hold ByIdentity(const std::optional<platform::FileIdentity>& entry) const;

    bool Exists() const { return m_own.has_value(); }
    const std::string& UpperPath() const { return m_upperFolder; }

  private:
    platform::FileTree& m_files;
    std::string m_upperFolder;
    std::optional<platform::FileIdentity> m_own;
    // The folders above it, nearest first.
    std::vector<platform::FileIdentity> m_above;
};

// Every check of an entry against one destination: the text checks, the same
// by identity with the same messages, and no source inside the backup's own
// reports or versions folder.
class SourceEntryChecks
{
  public:
    SourceEntryChecks(const std::string& destination, platform::FileTree& files);
    std::optional<Message> Check(const std::string& entry) const;
    // The same with the entry's identity looked up already.
    std::optional<Message> Check(const std::string& entry,
                                 const std::optional<platform::FileIdentity>& identity) const;
    // The two halves of Check, for a caller that looks up many entries at
    // once: the text rules, with the entry's text folded already
    // (FileTree::FoldCase), and the identity rules.
    std::optional<Message> CheckText(const std::string& entry, std::string_view upperEntry) const;
    std::optional<Message> CheckIdentity(
        const std::string& entry, const std::optional<platform::FileIdentity>& identity) const;
    // False when the entry's text alone shows that no text rule refuses it
    // (it begins with another drive than the destination, mostly): its
    // letter case need not be folded then.
    bool MayHoldByText(const std::string& entry) const;

  private:
    platform::FileTree& m_files;
    std::string m_destination;
    HeldFolder m_held;
    std::vector<HeldFolder> m_ownFolders;
    // The ASCII characters that fold to the destination's first one; none
    // where that one is not ASCII.
    std::optional<std::bitset<128>> m_destinationStart;
};

// The message of the first source entry, in list order, that fails its
// checks; a run or a save calls it before writing anything, so that a
// rejected selection leaves every store file as it was. It takes every
// source's target, looked up already, one per source (LookUpSources).
std::optional<Message> FirstRejectedSource(const BackupSelection& selection,
                                           const std::vector<platform::PathTarget>& targets,
                                           platform::FileTree& files);
