#include "platform/path_code.h"

#include "platform/code_page.h"

namespace platform
{
namespace
{

PathCode g_pathCode = PathCode::Ansi;

} // namespace

PathCode ProcessPathCode()
{
    return g_pathCode;
}

void SetProcessPathCode(PathCode code)
{
    g_pathCode = code;
}

unsigned PathCodePage()
{
    return g_pathCode == PathCode::Utf8 ? kUtf8CodePage : kAnsiCodePage;
}

} // namespace platform
