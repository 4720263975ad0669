#include "platform/path_code.h"

#include "platform/code_page.h"
#include "platform/win32/wide_text.h"

namespace platform
{

std::string PathFromAnsi(std::string text)
{
    if (ProcessPathCode() == PathCode::Ansi || IsAscii(text))
        return text;
    return PathFromWide(WideFromAnsi(text));
}

std::string AnsiFromPath(std::string text)
{
    if (ProcessPathCode() == PathCode::Ansi || IsAscii(text))
        return text;
    return AnsiFromWide(WideFromPath(text));
}

} // namespace platform
