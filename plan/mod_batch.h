#pragma once

#include <string>

// The text of mod.bat: one xcopy of modified files from the user profiles
// folder and one from the root of every drive C to Z into the destination,
// 25 lines with no line feed after the last. The destination is written as
// the command interpreter reads it: "%" doubled, in the OEM code page.
std::string ComposeModBatch(const std::string& destination);
