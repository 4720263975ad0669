#pragma once

#include "model/backup_selection.h"
#include "model/prompt.h"

#include <optional>
#include <string>
#include <string_view>

// The command interpreter expands "%name%" even inside double quotes, so a
// path taken from the user must carry every "%" doubled to mean itself.
std::string EscapeBatchPercent(std::string_view path);

// Whether a batch file can carry the path: in its batch form ("%" doubled, in
// the OEM code page) it holds no quote, which would end the quoted path and
// let the rest of the name run as commands, no wildcard or redirection, and it
// converts back to the same text. Windows hands an ANSI program a look-alike
// for a character its code page lacks (a typographic quote becomes a straight
// one, "?" stands for the rest), and so does the OEM conversion.
bool CanCarryInBatch(const std::string& path);

// The first path of the selection that a batch file cannot carry, sources in
// list order and then the destination, with the message that refuses it.
std::optional<Message> FirstUncarriablePath(const BackupSelection& selection);
