#pragma once

#include "model/backup_selection.h"
#include "model/prompt.h"

#include <optional>
#include <string>

// Checks one source entry against the destination before anything is written:
// a source may be neither the destination itself nor a folder that holds it
// (each copy would land inside what is being copied). Returns the message to
// show for a rejected entry, std::nullopt for an accepted one.
std::optional<Message> ValidateSourceEntry(const std::string& entry,
                                           const std::string& destination);

// The message of the first source entry, in list order, that fails its
// checks; a run or a save calls it before writing anything, so that a
// rejected selection leaves every store file as it was.
std::optional<Message> FirstRejectedSource(const BackupSelection& selection);
