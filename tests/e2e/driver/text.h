#pragma once

#include <string>

// The driver keeps its texts in UTF-8 and converts at the edges: wide for the
// window messages and file calls, ANSI for the bytes the program stores.
namespace e2e
{

std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// The 8-bit text the program holds for `utf8`, in the system's ANSI code page.
std::string Ansi(const std::string& utf8);
// Bytes with line ends and other control bytes spelled out, for reports.
std::string Printable(const std::string& bytes);

} // namespace e2e
