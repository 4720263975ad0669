#include "platform/text_case.h"

#include <windows.h>

namespace platform
{

// CharUpperBuffA folds the letters of the ANSI code page beyond ASCII too,
// as the file system does when it compares names.
std::string UpperCaseAnsi(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

} // namespace platform
