#pragma once

#include "backup/prompt.h"

#include <optional>
#include <string>

// Checks one source entry against the destination before anything is written:
// a source may be neither the destination itself nor a folder that holds it
// (each copy would land inside what is being copied). Returns the message to
// show for a rejected entry, std::nullopt for an accepted one.
std::optional<Message> ValidateSourceEntry(const std::string& entry,
                                           const std::string& destination);
