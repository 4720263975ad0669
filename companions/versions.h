#pragma once

#include "platform/file_tree.h"

#include <ctime>
#include <string>
#include <string_view>
#include <vector>

// The versions a backup keeps: before a companion replaces a copy in the
// destination, the old copy moves into
// "<destination>\Corvane Backup versions\<the copy's folders>\<name> (YYYY-MM-DD
// HH-MM-SS)<extension>", named by its own last-write time, so that a bad save never costs the last
// good copy.
namespace companions
{

// Every tagged name (a version, a file kept both or replaced) is made here:
// "report (restored 2026-12-07).doc" for "report.doc" and that tag. The
// extension is the name from its last "." (none without one, nor for a name
// whose only "." is its first character: ".profile (restored 2026-12-07)"),
// and `number` 2 and up adds " (2)" before it.
std::string NameWithTag(std::string_view name, std::string_view tag, int number = 1);

// The first of the tagged names, numbered from 1 on, free in `folder`.
std::string FreeTaggedPath(std::string_view folder, std::string_view name, std::string_view tag,
                           platform::FileTree& files);

// The version folder of a copy: the copy's folders below the destination,
// mirrored below the versions folder. `copyPath` lies below `destination`.
std::string VersionFolderOf(const std::string& destination, const std::string& copyPath);

// A name free in the version folder of the copy at `copyPath` for a file
// written at `written` (local time): "report (2026-12-07 09-30-05).doc", then
// " (2)" and up.
std::string FreeVersionPath(const std::string& destination, const std::string& copyPath,
                            platform::FileTime written, platform::FileTree& files);

// The free name for the copy as it stands now (its own last-write time);
// empty when there is no copy (nothing there, or a folder).
std::string NextVersionPath(const std::string& destination, const std::string& copyPath,
                            platform::FileTree& files);

struct Version
{
    std::string path;
    std::uint64_t size = 0;
    platform::FileTime lastWrite{};
};

// The versions of one copy, newest first by their own last-write time (names
// repeat where the clock goes back an hour).
std::vector<Version> VersionsOf(const std::string& destination, const std::string& copyPath,
                                platform::FileTree& files);

// The versions of each name among the entries of one version folder: what
// `VersionsOf` finds, for every copy of a folder in one listing.
struct VersionCount
{
    std::string name;
    int count = 0;
};
std::vector<VersionCount> CountVersions(const std::string& versionFolder,
                                        platform::FileTree& files);

// The name of the copy a version name belongs to ("report.doc" for
// "report (2026-12-07 09-30-05) (2).doc"); empty for a name that is none.
std::string CopyNameOfVersion(std::string_view versionName);

enum class VersionedCopy
{
    Copied,
    SourceBusy,
    // The copy is held open, or could not be written: it stays as it was.
    Failed,
    // The old copy could not be moved into the versions folder: it stays as
    // it was, and the file is reported ("cannot keep the old copy").
    NotKept,
};

// A copy missing beside its temporary was caught between the two renames of
// its swap: the old content stands at its newest version's name, the new
// one at the temporary. The version goes back to the copy's place, and the
// temporary, which a copy made again replaces, is removed.
void PutBackMissingCopy(const std::string& destination, const std::string& copyPath,
                        platform::FileTree& files);

// Copies `from` over the copy at `copyPath` below `destination`, keeping the
// copy that stood there as its newest version, then applies the retention
// to that copy's versions. A missing copy is put back first, else simply
// made.
VersionedCopy CopyKeepingVersion(const std::string& from, const std::string& destination,
                                 const std::string& copyPath, platform::FileTree& files);

// Retention: each copy keeps its 10 newest versions; beyond those, the newest
// of each of the 30 days before `today`, and the newest version older than a
// week and the newest older than a month. Deletes the others; nothing else
// ever deletes a version.
void ApplyRetention(const std::string& destination, const std::string& copyPath,
                    const std::tm& today, platform::FileTree& files);

} // namespace companions
