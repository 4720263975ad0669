#pragma once

#include <string>
#include <string_view>

namespace platform
{

// Windows keeps its own texts in UTF-16, the program its texts in the ANSI
// code page. A character the code page lacks becomes a look-alike or "?".
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

// The same for path text, in the process's path code (path_code.h): in UTF-8
// every name Windows allows goes both ways unchanged.
std::wstring WideFromPath(std::string_view text);
std::string PathFromWide(std::wstring_view text);

} // namespace platform
