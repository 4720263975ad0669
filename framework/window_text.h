#pragma once

#include "platform/path_code.h"
#include "platform/win32/wide_text.h"

// The framework's windows speak the process's path code. Where it is UTF-8
// (the companions, which show names of every alphabet) they are Unicode
// windows, made, fed and read by the wide calls; where it is ANSI (the
// dialog) they stay ANSI windows, as they always were.
inline bool UnicodeWindows()
{
    return platform::ProcessPathCode() == platform::PathCode::Utf8;
}
