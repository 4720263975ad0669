#include "platform/path_code.h"

namespace platform
{

// POSIX has no ANSI code page: the store's texts are read as they are.
std::string PathFromAnsi(std::string text)
{
    return text;
}

std::string AnsiFromPath(std::string text)
{
    return text;
}

} // namespace platform
