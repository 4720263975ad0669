#pragma once

#include <string>

// The command interpreter expands "%name%" even inside double quotes, so a
// path taken from the user must carry every "%" doubled to mean itself.
std::string EscapeBatchPercent(const std::string& path);
