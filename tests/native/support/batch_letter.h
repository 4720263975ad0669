#pragma once

#include <string>

// The ANSI "é" as batch files carry it: in the OEM code page the command
// interpreter reads them in on Windows, as it stands elsewhere.
#ifdef _WIN32
inline const std::string kBatchE = "\x82";
#else
inline const std::string kBatchE = "\xE9";
#endif
