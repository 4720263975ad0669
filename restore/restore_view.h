#pragma once

#include "companions/versions.h"
#include "restore/backup_contents.h"
#include "restore/restore_plan.h"

#include <string>
#include <string_view>
#include <vector>

// The texts of the restore window.
namespace restore
{

// A file's line in the tree, "report.doc  12.0 KB  2026-12-07 09:30  3
// versions"; a folder's is its name.
std::string ItemLine(const BackupItem& item);

// A top node's line: its label, a folder no saved source covers marked
// "(not in your selection)", a file with its facts as ItemLine gives them.
std::string HoldingLine(const Holding& holding);

// The window's first line while the user picks what to restore.
inline constexpr const char* kChooseFilesLine = "Tick the files and folders to restore.";

// The first line once a filter has found `found` files, at most `limit`.
std::string FoundLine(std::size_t found, std::size_t limit);

// "12.0 KB, 2026-12-07 09:30:05": one side of the conflict question.
std::string FactsLine(std::uint64_t size, platform::FileTime lastWrite);

// A line of the versions list: "2026-12-07 09:30:05  12.0 KB".
std::string VersionLine(const companions::Version& version);

} // namespace restore
