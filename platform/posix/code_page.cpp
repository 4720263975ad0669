#include "platform/code_page.h"

namespace platform
{

// POSIX systems have no OEM code page and never run the batch files, so the
// text stays as it is.
std::string AnsiToOem(std::string text)
{
    return text;
}

} // namespace platform
