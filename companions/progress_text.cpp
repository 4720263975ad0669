#include "companions/progress_text.h"

#include <cstdio>
#include <iterator>

namespace companions
{
namespace
{

int Percent(std::uint64_t part, std::uint64_t whole)
{
    return whole == 0 ? 0 : static_cast<int>(part * 100 / whole);
}

} // namespace

std::string ByteText(std::uint64_t bytes)
{
    static const char* const kUnits[] = {"KB", "MB", "GB", "TB"};
    if (bytes < 1024)
        return std::to_string(bytes) + " bytes";
    double value = static_cast<double>(bytes) / 1024;
    size_t unit = 0;
    while (value >= 1024 && unit + 1 < std::size(kUnits))
    {
        value /= 1024;
        ++unit;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", value, kUnits[unit]);
    return text;
}

ProgressText ProgressTextOf(std::uint64_t filesDone, std::uint64_t files, std::uint64_t bytesDone,
                            std::uint64_t bytes)
{
    ProgressText text;
    text.files = "Files: " + std::to_string(filesDone) + " of " + std::to_string(files);
    text.bytes = "Size: " + ByteText(bytesDone) + " of " + ByteText(bytes);
    // Bytes tell the time a copy takes better than files do, when there are any.
    text.percent = bytes > 0 ? Percent(bytesDone, bytes) : Percent(filesDone, files);
    return text;
}

} // namespace companions
