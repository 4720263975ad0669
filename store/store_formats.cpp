#include "store/store_formats.h"

#include <algorithm>

namespace store
{

std::string FormatSettings(const OptionFlags& flags)
{
    std::string text;
    for (const bool ticked : flags)
        text += ticked ? "1;" : "0;";
    return text;
}

OptionFlags ParseSettings(const std::string& text)
{
    OptionFlags flags{};
    char value = '\0';
    size_t token = 0;
    for (const char c : text)
    {
        if (token == flags.size())
            break;
        if (c != ';')
            value = c;
        else
            flags[token++] = value == '1';
    }
    return flags;
}

std::string ParseDestination(const std::string& text)
{
    return text.substr(0, text.find('\n'));
}

std::string FormatSourceList(const std::vector<std::string>& sources, size_t spare)
{
    size_t size = spare;
    for (const std::string& source : sources)
        size += source.size() + 1;
    std::string text;
    text.reserve(size);
    for (const std::string& source : sources)
        text.append(source).push_back('\n');
    return text;
}

std::vector<std::string> ParseSourceList(const std::string& text)
{
    std::vector<std::string> sources;
    sources.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')));
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start))
    {
        sources.emplace_back(text, start, end - start);
        start = end + 1;
    }
    return sources;
}

} // namespace store
