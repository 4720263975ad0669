#pragma once

#include "model/backup_selection.h"

#include <array>
#include <string>
#include <vector>

// The text of settings.dat, data.dat and filestobackup.bck, with "\n" line
// ends (the store files translate them). data.dat is written as the bare
// destination text, with no line feed.
namespace store
{

using OptionFlags = std::array<bool, kOptionFlagCount>;

// Ten tokens, "1;" or "0;", in OptionFlag order: always 20 characters.
std::string FormatSettings(const OptionFlags& flags);

// Which of the first ten tokens read as exactly "1". A token's value is the
// last character other than ";" before its ";" and is not reset by the ";";
// flags without a token stay unticked.
OptionFlags ParseSettings(const std::string& text);

// The destination is the text before the first line end, however long.
std::string ParseDestination(const std::string& text);

// Every entry followed by "\n", with room for `spare` more bytes that the
// caller appends without copying the list again.
std::string FormatSourceList(const std::vector<std::string>& sources, size_t spare = 0);

// One entry per line feed, empty lines included; text after the last line
// feed is no entry. No line has a meaning of its own.
std::vector<std::string> ParseSourceList(const std::string& text);

} // namespace store
