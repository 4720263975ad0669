#include "platform/text_case.h"

#include <windows.h>

namespace platform
{

// CharUpperBuffA folds the letters of the ANSI code page beyond ASCII too,
// as the file system does when it compares names.
std::string UpperCaseAnsi(const std::string& text)
{
    std::string upper(text);
    if (!upper.empty())
        CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

} // namespace platform
